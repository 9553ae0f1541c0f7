#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>

#include "settings/Settings.h"
#include "resource.h"
#include "support/ButtonHost.h"
#include "support/DialogAnswerer.h"
#include "support/TempFolder.h"
#include "support/TestDataObject.h"

namespace {

constexpr COLORREF kInk = RGB(0, 0, 0);
constexpr COLORREF kPaper = RGB(255, 255, 255);
constexpr COLORREF kSteel = RGB(0, 96, 128);

// The box around everything inside the edge (2 pixels) that is not the back colour.
struct InkBox {
    int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1;
    int Width() const { return right - left + 1; }
    int Height() const { return bottom - top + 1; }
};

InkBox FindInk(const ButtonFace& face) {
    InkBox box;
    for (int y = 3; y < face.height - 3; ++y)
        for (int x = 3; x < face.width - 3; ++x)
            if (face.At(x, y) != kPaper)
                box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x), std::max(box.bottom, y)};
    return box;
}

// Whether the NEW badge (yellow on the bitmap's blue key colour) is at its place on an 80 wide face.
bool HasBadge(const ButtonFace& face) {
    for (int y = 3; y < 15; ++y)
        for (int x = 80 - 26; x < 80 - 3; ++x) {
            const COLORREF c = face.At(x, y);
            if (GetRValue(c) > 200 && GetGValue(c) > 200 && GetBValue(c) < 80) return true;
        }
    return false;
}

class ButtonPaint : public testing::Test {
protected:
    ButtonHost m_host;
    TempFolder m_folder;
    DialogAnswerer m_answerer;  // painting and scanning never ask anything
    void TearDown() override { EXPECT_EQ(m_answerer.Count(), 0u); }
};

}  // namespace

TEST_F(ButtonPaint, TallNarrowButtonsWriteDownwardsOthersAcrossLongTitlesWrap) {
    const InkBox along = FindInk(RenderFace(m_host.Add(FolderRecord(m_folder.Path(), L"MMM"), RECT{0, 0, 40, 100})));
    EXPECT_GT(along.Height(), along.Width() * 3 / 2);
    // One line centred both ways.
    EXPECT_NEAR((along.top + along.bottom) / 2, 50, 3);
    EXPECT_NEAR((along.left + along.right) / 2, 20, 3);

    // 50 is not less than 100 / 2: across.
    const InkBox across = FindInk(RenderFace(m_host.Add(FolderRecord(m_folder.Path(), L"MMM"), RECT{50, 0, 100, 100})));
    EXPECT_GT(across.Width(), across.Height() * 3 / 2);
    EXPECT_NEAR((across.top + across.bottom) / 2, 50, 3);

    // A long title wraps inside the face less its margins and stays centred.
    const InkBox box = FindInk(RenderFace(m_host.Add(FolderRecord(m_folder.Path(), L"ab cd ef gh ij kl mn"), RECT{0, 0, 60, 120})));
    EXPECT_LE(box.Width(), 60 - 6);
    EXPECT_GT(box.Height(), 40);  // several lines
    EXPECT_NEAR((box.top + box.bottom) / 2, 60, 3);
    EXPECT_NEAR((box.left + box.right) / 2, 30, 3);
}

TEST_F(ButtonPaint, CountFollowsTheTitleOnlyWhenShownAndDropsAreTaken) {
    // Hidden and system files count; folders and what they hold do not.
    for (const wchar_t* name : {L"plain", L"hidden.txt", L"system.txt"}) ASSERT_TRUE(m_folder.WriteFile(name, "x"));
    SetFileAttributesW((m_folder / L"hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesW((m_folder / L"system.txt").c_str(), FILE_ATTRIBUTE_SYSTEM);
    m_folder.MakeFolder(L"sub1");
    ASSERT_TRUE(m_folder.WriteFile(L"sub1\\inner.txt", "x"));

    m_host.Settings().nDisplayCount = 1;
    const HWND counted = m_host.Add(FolderRecord(m_folder.Path(), L"Docs"));
    EXPECT_EQ(WindowText(counted), L"Docs [3]");
    const ButtonFace withCount = RenderFace(counted);
    // A missing folder holds nothing and makes no message.
    EXPECT_EQ(WindowText(m_host.Add(FolderRecord(m_folder / L"gone\\", L"Gone"))), L"Gone [0]");

    // The same face as a button whose title is the text with the count; only 1 shows the count.
    m_host.Settings().nDisplayCount = 0;
    EXPECT_EQ(RenderFace(m_host.Add(FolderRecord(m_folder.Path(), L"Docs [3]"))), withCount);
    EXPECT_EQ(WindowText(counted), L"Docs");
    EXPECT_NE(RenderFace(counted), withCount);
    m_host.Settings().nDisplayCount = 2;
    EXPECT_EQ(WindowText(counted), L"Docs");
}

TEST_F(ButtonPaint, BadgeForFilesOfTheDayAndTheGreySquareOnRefusingButtons) {
    ASSERT_TRUE(m_folder.WriteFile(L"today.txt", "x"));
    m_host.Settings().nDaysNew = 1;
    const HWND marked = m_host.Add(FolderRecord(m_folder.Path(), L"New", kInk, kSteel), RECT{0, 0, 80, 50});
    EXPECT_EQ(WindowText(marked), L"New NEW");
    const ButtonFace face = RenderFace(marked);
    EXPECT_TRUE(HasBadge(face));
    EXPECT_EQ(face.At(80 - 26, 3), kSteel) << "the badge's blue corner lets the face through";
    TempFolder empty;
    EXPECT_FALSE(HasBadge(RenderFace(m_host.Add(FolderRecord(empty.Path(), L"New", kInk, kSteel), RECT{0, 0, 80, 50}))));

    // A button that refuses drops shows neither count nor badge, only its square.
    m_host.Settings().nDisplayCount = 1;
    const HWND refusing = m_host.Add(FolderRecord(m_folder.Path(), L"Docs", kInk, kSteel, true), RECT{0, 0, 80, 50});
    EXPECT_EQ(RegisteredDropTarget(refusing), nullptr) << "drags over it go to the bar";
    EXPECT_EQ(WindowText(refusing), L"Docs");
    const ButtonFace square = RenderFace(refusing);
    EXPECT_EQ(square.At(80 - 6, 6), RGB(192, 192, 192));
    EXPECT_EQ(square.At(80 - 9, 9), kSteel);
    EXPECT_FALSE(HasBadge(square));

    // With no days the mark never comes.
    m_host.Settings().nDaysNew = 0;
    SendMessageW(marked, WM_COMMAND, ID_BUTTON_REFRESH, 0);
    EXPECT_EQ(WindowText(marked), L"New [1]");
}

TEST_F(ButtonPaint, FaceIsInvertedWhileADragIsOver) {
    const HWND button = m_host.Add(FolderRecord(m_folder.Path(), L"", kInk, kSteel), RECT{0, 0, 80, 50});
    const ButtonFace normal = RenderFace(button);
    ButtonFace inverted = normal;
    for (COLORREF& pixel : inverted.pixels) pixel ^= 0xFFFFFF;
    IDataObject* data = TestDataObject::Create()->AddText("dragged");
    DWORD effect = DROPEFFECT_COPY;
    RegisteredDropTarget(button)->DragEnter(data, MK_LBUTTON, POINTL{}, &effect);
    EXPECT_EQ(RenderFace(button), inverted) << "every pixel, edge included";
    RegisteredDropTarget(button)->DragLeave();
    EXPECT_EQ(RenderFace(button), normal);
    data->Release();
}

TEST_F(ButtonPaint, ProgramIconAtTheTopLeftWhenTheProgramExists) {
    ASSERT_TRUE(m_folder.WriteFile(L"notes.txt", "x"));
    varolin::ButtonRecord record = FolderRecord(m_folder.Path(), L"", kInk, kSteel);
    record.m_strProgram = L"notes.txt";
    const ButtonFace face = RenderFace(m_host.Add(record, RECT{0, 0, 80, 50}));
    int iconPixels = 0;
    for (int y = 3; y < 19; ++y)
        for (int x = 3; x < 19; ++x) iconPixels += face.At(x, y) != kSteel;
    EXPECT_GT(iconPixels, 20);
    record.m_strProgram = L"gone.txt";
    EXPECT_EQ(RenderFace(m_host.Add(record, RECT{0, 0, 80, 50})).At(10, 10), kSteel);
}
