#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <string>

#include "settings/Settings.h"
#include "buttons/DropBtn.h"
#include "buttons/FolderScan.h"
#include "buttons/NewMark.h"
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
    bool Empty() const { return right < 0; }
};

InkBox FindInk(const ButtonFace& face, COLORREF back) {
    InkBox box;
    for (int y = 3; y < face.height - 3; ++y)
        for (int x = 3; x < face.width - 3; ++x)
            if (face.At(x, y) != back) {
                box.left = std::min(box.left, x);
                box.right = std::max(box.right, x);
                box.top = std::min(box.top, y);
                box.bottom = std::max(box.bottom, y);
            }
    return box;
}

// The badge is yellow on the bitmap's blue key colour.
bool HasYellow(const ButtonFace& face, int left, int top, int right, int bottom) {
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) {
            const COLORREF c = face.At(x, y);
            if (GetRValue(c) > 200 && GetGValue(c) > 200 && GetBValue(c) < 80) return true;
        }
    return false;
}

bool Touch(const std::wstring& path, const FILETIME* write = nullptr) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    WriteFile(file, "x", 1, &written, nullptr);
    if (write) SetFileTime(file, nullptr, nullptr, write);
    CloseHandle(file);
    return true;
}

FILETIME FromTicks(std::int64_t ticks) {
    return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(static_cast<std::uint64_t>(ticks) >> 32)};
}
std::int64_t ToTicks(const FILETIME& time) {
    return static_cast<std::int64_t>(static_cast<std::uint64_t>(time.dwHighDateTime) << 32 | time.dwLowDateTime);
}

// Local midnight starting today, as UTC file-time ticks; and now.
std::int64_t TodayMidnightUtc() {
    FILETIME nowUtc{}, nowLocal{}, utc{};
    GetSystemTimeAsFileTime(&nowUtc);
    FileTimeToLocalFileTime(&nowUtc, &nowLocal);
    const std::int64_t local = ToTicks(nowLocal);
    const FILETIME midnight = FromTicks(local - local % varolin::kTicksPerDay);
    LocalFileTimeToFileTime(&midnight, &utc);
    return ToTicks(utc);
}

}  // namespace

TEST(ButtonPaint, TallNarrowButtonsWriteDownwardsOthersAcrossLongTitlesWrap) {
    ButtonHost host;
    TempFolder folder;
    CDropBtn* tall = host.Add(FolderRecord(folder.Path(), L"MMM", kInk, kPaper), RECT{0, 0, 40, 100});
    CDropBtn* wide = host.Add(FolderRecord(folder.Path(), L"MMM", kInk, kPaper), RECT{50, 0, 100, 100});

    const InkBox along = FindInk(RenderFace(tall), kPaper);
    ASSERT_FALSE(along.Empty());
    EXPECT_GT(along.Height(), along.Width() * 3 / 2);
    // One line centred both ways.
    EXPECT_NEAR((along.top + along.bottom) / 2, 50, 3);
    EXPECT_NEAR((along.left + along.right) / 2, 20, 3);

    // 50 is not less than 100 / 2: across.
    const InkBox across = FindInk(RenderFace(wide), kPaper);
    ASSERT_FALSE(across.Empty());
    EXPECT_GT(across.Width(), across.Height() * 3 / 2);
    EXPECT_NEAR((across.top + across.bottom) / 2, 50, 3);

    // A long title wraps inside the face less its margins and stays centred.
    CDropBtn* wrapped = host.Add(FolderRecord(folder.Path(), L"ab cd ef gh ij kl mn", kInk, kPaper), RECT{0, 0, 60, 120});
    const InkBox box = FindInk(RenderFace(wrapped), kPaper);
    ASSERT_FALSE(box.Empty());
    EXPECT_LE(box.Width(), 60 - 6);
    EXPECT_GT(box.Height(), 40);  // several lines
    EXPECT_NEAR((box.top + box.bottom) / 2, 60, 3);
    EXPECT_NEAR((box.left + box.right) / 2, 30, 3);
}

TEST(ButtonPaint, CountFollowsTheTitleOnlyWhenShownAndDropsAreTaken) {
    ButtonHost host;
    TempFolder folder;
    // Hidden and system files count; folders and what they hold do not.
    for (const wchar_t* name : {L"plain", L"hidden.txt", L"system.txt"}) ASSERT_TRUE(folder.WriteFile(name, "x"));
    SetFileAttributesW((folder / L"hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesW((folder / L"system.txt").c_str(), FILE_ATTRIBUTE_SYSTEM);
    folder.MakeFolder(L"sub1");
    folder.MakeFolder(L"sub.2");
    ASSERT_TRUE(folder.WriteFile(L"sub1\\inner.txt", "x"));

    host.Settings().nDisplayCount = 1;
    CDropBtn* counted = host.Add(FolderRecord(folder.Path(), L"Docs"));
    EXPECT_EQ(counted->m_nFileCount, 3);
    EXPECT_EQ(counted->FaceText(), L"Docs [3]");
    const ButtonFace withCount = RenderFace(counted);

    // The same face as a button whose title is the text with the count.
    host.Settings().nDisplayCount = 0;
    CDropBtn* titled = host.Add(FolderRecord(folder.Path(), L"Docs [3]"));
    EXPECT_EQ(RenderFace(titled), withCount);
    EXPECT_EQ(counted->FaceText(), L"Docs");
    EXPECT_NE(RenderFace(counted), withCount);

    // Only 1 shows the count.
    host.Settings().nDisplayCount = 2;
    EXPECT_EQ(counted->FaceText(), L"Docs");
    SetFileAttributesW((folder / L"hidden.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
    SetFileAttributesW((folder / L"system.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(ButtonPaint, RefusingButtonsShowTheGreySquareAndNeitherCountNorBadge) {
    ButtonHost host;
    TempFolder folder;
    ASSERT_TRUE(Touch(folder / L"today.txt"));
    host.Settings().nDisplayCount = 1;
    host.Settings().nDaysNew = 1;

    CDropBtn* refusing = host.Add(FolderRecord(folder.Path(), L"Docs", kInk, kSteel, true), RECT{0, 0, 80, 50});
    EXPECT_FALSE(refusing->m_dropTarget.IsRegistered());
    EXPECT_EQ(refusing->m_nFileCount, 0);
    EXPECT_FALSE(refusing->m_bNewMark);
    EXPECT_EQ(refusing->FaceText(), L"Docs");

    const ButtonFace face = RenderFace(refusing);
    const int w = face.width;
    EXPECT_EQ(face.At(w - 6, 6), RGB(192, 192, 192));  // the square, in the top right corner
    EXPECT_EQ(face.At(w - 9, 9), kSteel);
    EXPECT_FALSE(HasYellow(face, w - 26, 3, w - 3, 15));

    // Even with a new mark set the square wins.
    refusing->m_bNewMark = TRUE;
    EXPECT_FALSE(HasYellow(RenderFace(refusing), w - 26, 3, w - 3, 15));
}

TEST(ButtonPaint, BadgeForFilesOfTheDay) {
    ButtonHost host;
    TempFolder fresh, empty;
    ASSERT_TRUE(Touch(fresh / L"today.txt"));
    host.Settings().nDaysNew = 1;

    CDropBtn* marked = host.Add(FolderRecord(fresh.Path(), L"New", kInk, kSteel), RECT{0, 0, 80, 50});
    EXPECT_TRUE(marked->m_bNewMark);
    const ButtonFace face = RenderFace(marked);
    EXPECT_TRUE(HasYellow(face, 80 - 26, 3, 80 - 3, 15));
    // The badge's blue corner lets the face through.
    EXPECT_EQ(face.At(80 - 26, 3), kSteel);

    CDropBtn* plain = host.Add(FolderRecord(empty.Path(), L"New", kInk, kSteel), RECT{0, 0, 80, 50});
    EXPECT_FALSE(plain->m_bNewMark);
    EXPECT_FALSE(HasYellow(RenderFace(plain), 80 - 26, 3, 80 - 3, 15));

    // With no days the mark never comes.
    host.Settings().nDaysNew = 0;
    marked->UpdateFolderState();
    EXPECT_FALSE(marked->m_bNewMark);
}

TEST(ButtonPaint, FaceIsInvertedWhileADragIsOver) {
    ButtonHost host;
    TempFolder folder;
    CDropBtn* button = host.Add(FolderRecord(folder.Path(), L"", kInk, kSteel), RECT{0, 0, 80, 50});
    ASSERT_TRUE(button->m_dropTarget.IsRegistered());
    IDropTarget* target = button->m_dropTarget.GetInterface();
    IDataObject* data = TestDataObject::Create()->AddText("dragged");

    const ButtonFace normal = RenderFace(button);
    EXPECT_EQ(normal.At(40, 25), kSteel);
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    target->DragEnter(data, MK_LBUTTON, POINTL{140, 125}, &effect);
    EXPECT_TRUE(button->m_dropTarget.m_bDragOver);
    // Every pixel of the face, edge included, is inverted.
    const ButtonFace over = RenderFace(button);
    ASSERT_EQ(over.pixels.size(), normal.pixels.size());
    for (size_t i = 0; i < over.pixels.size(); ++i) ASSERT_EQ(over.pixels[i], normal.pixels[i] ^ 0xFFFFFF) << i;
    target->DragLeave();
    EXPECT_FALSE(button->m_dropTarget.m_bDragOver);
    EXPECT_EQ(RenderFace(button), normal);
    data->Release();
}

TEST(FolderScan, DayBoundaryWithOneAndTwoDays) {
    TempFolder folder;
    // Scanned as of tomorrow noon, a file made today and last written at 23:59 today is one
    // whole day old by both of its times.
    const std::int64_t midnight = TodayMidnightUtc();
    const FILETIME lastMinute = FromTicks(midnight + varolin::kTicksPerDay - 60 * 10'000'000LL);
    ASSERT_TRUE(Touch(folder / L"late.txt", &lastMinute));
    const FILETIME tomorrowNoon = FromTicks(midnight + varolin::kTicksPerDay * 3 / 2);

    EXPECT_FALSE(ScanFolderAt(folder.Path(), 1, tomorrowNoon).bNewMark);
    EXPECT_TRUE(ScanFolderAt(folder.Path(), 2, tomorrowNoon).bNewMark);
    // As of a minute after it was written, on the same day.
    const FILETIME sameDay = FromTicks(midnight + varolin::kTicksPerDay - 1);
    EXPECT_TRUE(ScanFolderAt(folder.Path(), 1, sameDay).bNewMark);
}

TEST(FolderScan, MissingFolderGivesNothingAndSaysNothing) {
    ButtonHost host;
    TempFolder parent;
    DialogAnswerer answerer;
    host.Settings().nDisplayCount = 1;
    host.Settings().nDaysNew = 5;
    CDropBtn* button = host.Add(FolderRecord(parent / L"gone\\", L"Gone"));
    EXPECT_EQ(button->m_nFileCount, 0);
    EXPECT_FALSE(button->m_bNewMark);
    EXPECT_EQ(button->FaceText(), L"Gone [0]");
    RenderFace(button);
    EXPECT_EQ(answerer.Count(), 0u);
}

TEST(ButtonPaint, ProgramIconAtTheTopLeftWhenTheProgramExists) {
    ButtonHost host;
    TempFolder folder;
    ASSERT_TRUE(folder.WriteFile(L"notes.txt", "x"));
    varolin::ButtonRecord withProgram = FolderRecord(folder.Path(), L"", kInk, kSteel);
    withProgram.m_strProgram = L"notes.txt";
    varolin::ButtonRecord missing = withProgram;
    missing.m_strProgram = L"gone.txt";

    CDropBtn* button = host.Add(withProgram, RECT{0, 0, 80, 50});
    ASSERT_TRUE(button->m_hIcon);
    const ButtonFace face = RenderFace(button);
    int iconPixels = 0;
    for (int y = 3; y < 19; ++y)
        for (int x = 3; x < 19; ++x) iconPixels += face.At(x, y) != kSteel;
    EXPECT_GT(iconPixels, 20);

    DialogAnswerer answerer;
    CDropBtn* without = host.Add(missing, RECT{0, 0, 80, 50});
    EXPECT_FALSE(without->m_hIcon);
    EXPECT_EQ(RenderFace(without).At(10, 10), kSteel);
    EXPECT_EQ(answerer.Count(), 0u);
}
