// What a screen reader finds in a page view: the buttons as push buttons with their titles,
// figures in words, faces on the screen and a default action that clicks them; events as
// figures and order change; and an error, never freed memory, once the view is gone.
#include <windows.h>
#include <oleacc.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "pages/PageView.h"
#include "resource.h"
#include "support/ButtonHost.h"
#include "support/DialogAnswerer.h"
#include "support/ShownFiguresFixture.h"
#include "support/TempFolder.h"

namespace {

// The interface id as published, not as some import library defines it.
IID RealAccessibleIid() {
    IID iid{};
    IIDFromString(L"{618736E0-3C3D-11CF-810C-00AA00389B71}", &iid);
    return iid;
}

// A reference to an IAccessible, released at the end of its scope.
struct AccessibleRef {
    IAccessible* p = nullptr;
    AccessibleRef() = default;
    AccessibleRef(const AccessibleRef&) = delete;
    AccessibleRef& operator=(const AccessibleRef&) = delete;
    ~AccessibleRef() {
        if (p) p->Release();
    }
    IAccessible* operator->() const { return p; }
};

// What a reader asks of the view's client object.
HRESULT FromView(HWND view, AccessibleRef& out) {
    return AccessibleObjectFromWindow(view, static_cast<DWORD>(OBJID_CLIENT), RealAccessibleIid(),
                                      reinterpret_cast<void**>(&out.p));
}

VARIANT Child(long id) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

// A BSTR property as a string: "<error>" when the call fails, "<none>" for S_FALSE.
std::wstring Text(const std::function<HRESULT(BSTR*)>& get) {
    BSTR text = nullptr;
    const HRESULT hr = get(&text);
    if (FAILED(hr)) return L"<error>";
    std::wstring result = text ? std::wstring(text, SysStringLen(text)) : L"<none>";
    SysFreeString(text);
    return result;
}

// Handles messages until `done` holds, for at most `timeoutMs`.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 30000) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return true;
}

// WinEvents raised by this process for one window, as an out-of-context hook sees them.
class EventRecorder {
public:
    explicit EventRecorder(HWND wnd) : m_hWnd(wnd) {
        s_current = this;
        m_hook = SetWinEventHook(EVENT_OBJECT_REORDER, EVENT_OBJECT_DESCRIPTIONCHANGE, nullptr, &Hook,
                                 GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    }
    ~EventRecorder() {
        if (m_hook) UnhookWinEvent(m_hook);
        s_current = nullptr;
    }
    bool Saw(DWORD event, LONG child) const {
        for (const auto& [e, c] : m_seen)
            if (e == event && c == child) return true;
        return false;
    }
    void Clear() { m_seen.clear(); }

private:
    static void CALLBACK Hook(HWINEVENTHOOK, DWORD event, HWND wnd, LONG object, LONG child, DWORD, DWORD) {
        if (s_current && wnd == s_current->m_hWnd && object == OBJID_CLIENT) s_current->m_seen.emplace_back(event, child);
    }
    static inline EventRecorder* s_current = nullptr;
    HWND m_hWnd;
    HWINEVENTHOOK m_hook = nullptr;
    std::vector<std::pair<DWORD, LONG>> m_seen;
};

class Accessible : public ShownFiguresFixture {
protected:
    TempFolder m_empty;
    DialogAnswerer m_answerer;
};

}  // namespace

TEST_F(Accessible, ButtonsArePushButtonsNamedByTitleDescribedByFiguresAndPlacedAtTheirFaces) {
    EXPECT_EQ(__uuidof(IAccessible), RealAccessibleIid()) << "the id the view answers with";
    const HANDLE file = CreateFileW((m_folder / L"today.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    const CPageView* view = m_host.AddPage({FolderRecord(m_folder.Path(), L"写真"), FolderRecord(m_empty.Path(), L"Empty"),
                                            FolderRecord(m_empty.Path(), L"Closed", RGB(0, 0, 0), RGB(255, 255, 255), true)},
                                           RECT{10, 5, 370, 65});
    const std::vector<TestButton> buttons = Buttons(view);
    ASSERT_EQ(buttons.size(), 3u);
    ASSERT_EQ(WaitForText(buttons[0], L"写真 [1] NEW"), L"写真 [1] NEW");
    ASSERT_EQ(WaitForText(buttons[1], L"Empty [0]"), L"Empty [0]");

    AccessibleRef page;
    ASSERT_EQ(FromView(view->m_hWnd, page), S_OK);
    long count = 0;
    ASSERT_EQ(page->get_accChildCount(&count), S_OK);
    ASSERT_EQ(count, 3);
    VARIANT children[4];
    LONG got = 0;
    ASSERT_TRUE(SUCCEEDED(AccessibleChildren(page.p, 0, 4, children, &got)));
    ASSERT_EQ(got, 3);
    for (LONG i = 0; i < got; ++i) {
        ASSERT_EQ(children[i].vt, VT_I4) << "simple elements of the page";
        EXPECT_EQ(children[i].lVal, i + 1);
    }

    const wchar_t* names[] = {L"写真", L"Empty", L"Closed"};
    const wchar_t* descriptions[] = {L"1 個のファイル、新着あり", L"0 個のファイル", L"ドロップ不可"};
    for (long id = 1; id <= 3; ++id) {
        const VARIANT child = Child(id);
        EXPECT_EQ(Text([&](BSTR* s) { return page->get_accName(child, s); }), names[id - 1]);
        EXPECT_EQ(Text([&](BSTR* s) { return page->get_accDescription(child, s); }), descriptions[id - 1]);
        EXPECT_EQ(Text([&](BSTR* s) { return page->get_accDefaultAction(child, s); }), L"開く");
        VARIANT role, state;
        ASSERT_EQ(page->get_accRole(child, &role), S_OK);
        EXPECT_EQ(role.lVal, ROLE_SYSTEM_PUSHBUTTON);
        ASSERT_EQ(page->get_accState(child, &state), S_OK);
        EXPECT_TRUE(state.lVal & STATE_SYSTEM_FOCUSABLE);
        EXPECT_FALSE(state.lVal & STATE_SYSTEM_FOCUSED) << "the focus is elsewhere";
        const RECT face = buttons[static_cast<size_t>(id - 1)].ScreenRect();
        long left = 0, top = 0, width = 0, height = 0;
        ASSERT_EQ(page->accLocation(&left, &top, &width, &height, child), S_OK);
        const RECT located{left, top, left + width, top + height};
        EXPECT_TRUE(EqualRect(&located, &face)) << id << ": " << left << "," << top << " " << width << "x" << height;
        const POINTL middle = buttons[static_cast<size_t>(id - 1)].ScreenMiddle();
        VARIANT hit;
        ASSERT_EQ(page->accHitTest(middle.x, middle.y, &hit), S_OK);
        EXPECT_EQ(hit.lVal, id);
        VARIANT next;
        EXPECT_EQ(page->accNavigate(NAVDIR_NEXT, child, &next), id < 3 ? S_OK : S_FALSE);
        if (id < 3) {
            EXPECT_EQ(next.lVal, id + 1);
        }
    }
    VARIANT beyond = Child(4);
    BSTR name = nullptr;
    EXPECT_EQ(page->get_accName(beyond, &name), E_INVALIDARG);
    VARIANT focus;
    EXPECT_EQ(page->get_accFocus(&focus), S_FALSE);
    EXPECT_EQ(focus.vt, VT_EMPTY);
}

TEST_F(Accessible, NewFiguresAndChangesOfOrderAreAnnouncedToReaders) {
    const CPageView* view = m_host.AddPage({FolderRecord(m_empty.Path(), L"A"), FolderRecord(m_folder.Path(), L"B")});
    const std::vector<TestButton> buttons = Buttons(view);
    ASSERT_EQ(WaitForText(buttons[1], L"B [0]"), L"B [0]");
    EventRecorder events(view->m_hWnd);

    const HANDLE file = CreateFileW((m_folder / L"new.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    ASSERT_EQ(WaitForText(buttons[1], L"B [1] NEW"), L"B [1] NEW");
    EXPECT_TRUE(PumpUntil([&] { return events.Saw(EVENT_OBJECT_DESCRIPTIONCHANGE, 2); }));
    EXPECT_FALSE(events.Saw(EVENT_OBJECT_DESCRIPTIONCHANGE, 1)) << "only the button whose figures changed";

    Command(buttons[1], ID_BUTTON_MOVE_EARLIER);
    EXPECT_TRUE(PumpUntil([&] { return events.Saw(EVENT_OBJECT_REORDER, CHILDID_SELF); }));
    events.Clear();
    Command(buttons[0], ID_BUTTON_DELETE);
    EXPECT_TRUE(PumpUntil([&] { return events.Saw(EVENT_OBJECT_REORDER, CHILDID_SELF); })) << "a button removed";
}

TEST_F(Accessible, TheDefaultActionClicksTheButtonAfterTheReadersCallHasReturned) {
    const TestButton open = m_host.Add(FolderRecord(L"C:\\no such folder\\", L"Open"));
    AccessibleRef page;
    ASSERT_EQ(FromView(open.view, page), S_OK);
    m_answerer.Answer(IDOK);
    ASSERT_EQ(page->accDoDefaultAction(Child(1)), S_OK);
    EXPECT_EQ(m_answerer.Count(), 0u) << "no dialog inside the call";
    ASSERT_TRUE(PumpUntil([&] { return m_answerer.Count() > 0; }));
    EXPECT_EQ(m_answerer.Last().text, L"フォルダを開けません") << "opened as a click opens it";
    EXPECT_EQ(page->accDoDefaultAction(Child(CHILDID_SELF)), DISP_E_MEMBERNOTFOUND);
}

TEST_F(Accessible, AReaderHoldingThePageAfterItsViewIsGoneGetsErrors) {
    const TestButton button = m_host.Add(FolderRecord(m_folder.Path(), L"Held"));
    AccessibleRef page;
    ASSERT_EQ(FromView(button.view, page), S_OK);
    EXPECT_EQ(Text([&](BSTR* s) { return page->get_accName(Child(1), s); }), L"Held");
    m_host.DropPages();
    ASSERT_FALSE(IsWindow(button.view));

    long count = 0;
    EXPECT_TRUE(FAILED(page->get_accChildCount(&count)));
    EXPECT_EQ(Text([&](BSTR* s) { return page->get_accName(Child(1), s); }), L"<error>");
    long left = 0, top = 0, width = 0, height = 0;
    EXPECT_TRUE(FAILED(page->accLocation(&left, &top, &width, &height, Child(1))));
    EXPECT_TRUE(FAILED(page->accDoDefaultAction(Child(1))));
    IDispatch* parent = nullptr;
    EXPECT_TRUE(FAILED(page->get_accParent(&parent)));
}
