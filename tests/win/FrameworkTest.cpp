#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "framework/Dialog.h"
#include "framework/OleDropTarget.h"
#include "framework/UiCallbacks.h"
#include "framework/Wnd.h"
#include "support/DialogAnswerer.h"
#include "support/TestDataObject.h"

namespace {

class ProbeWnd : public CWnd {
public:
    explicit ProbeWnd(std::vector<std::string>* log) : m_log(log) {}
    bool Create() {
        static const ATOM atom = [] {
            WNDCLASSW wc{};
            wc.lpfnWndProc = &CWnd::StaticWndProc;
            wc.hInstance = GetModuleHandleW(nullptr);
            wc.lpszClassName = L"VarolinProbe";
            return RegisterClassW(&wc);
        }();
        return atom && CreateEx(0, L"VarolinProbe", L"", WS_POPUP, RECT{0, 0, 40, 30}, nullptr, 0);
    }

protected:
    int OnCreate(CREATESTRUCTW* cs) override {
        m_log->push_back("create");
        return CWnd::OnCreate(cs);
    }
    void OnSize(UINT, int cx, int cy) override { m_log->push_back("size " + std::to_string(cx) + "x" + std::to_string(cy)); }
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override {
        if (msg == WM_APP) throw 42;  // must not unwind into the system
        return CWnd::WindowProc(msg, wp, lp);
    }
    void PostNcDestroy() override {
        m_log->push_back("gone");
        delete this;
    }

private:
    std::vector<std::string>* m_log;
};

class ProbeDialog : public CDialog {
public:
    ProbeDialog() : CDialog(9001) {}
    std::wstring m_strName = L"初期";
    int m_nValue = 5;
    int m_bFlag = 1;

protected:
    void DoDataExchange(CDataExchange* dx) override {
        DDX_Text(dx, 100, m_strName);
        DDV_MaxBytes(dx, m_strName, 6);
        DDX_Text(dx, 101, m_nValue);
        DDV_MinMaxInt(dx, m_nValue, 1, 99);
        DDX_Check(dx, 102, m_bFlag);
    }
};

// Wants a move with Shift, else a copy; takes text only.
class RecordingTarget : public COleDropTarget {
public:
    DROPEFFECT m_dropEffect = DROPEFFECT_NONE;
    int m_nLeaves = 0;

    DROPEFFECT OnDragOver(CWnd*, COleDataObject*, DWORD keyState, POINT) override {
        return (keyState & MK_SHIFT) ? DROPEFFECT_MOVE : DROPEFFECT_COPY;
    }
    void OnDragLeave(CWnd*) override { ++m_nLeaves; }
    BOOL OnDrop(CWnd*, COleDataObject* data, DROPEFFECT effect, POINT) override {
        m_dropEffect = effect;
        return data->IsDataAvailable(CF_TEXT);
    }
};

}  // namespace

TEST(Framework, WindowLifecycleBindsDispatchesAndSelfDeletes) {
    std::vector<std::string> log;
    auto* wnd = new ProbeWnd(&log);
    ASSERT_TRUE(wnd->Create());
    HWND hwnd = wnd->m_hWnd;
    EXPECT_EQ(CWnd::FromHandle(hwnd), wnd);
    SetWindowPos(hwnd, nullptr, 0, 0, 50, 20, SWP_NOZORDER | SWP_NOMOVE);
    SendMessageW(hwnd, WM_APP, 0, 0);  // a throwing handler is contained
    DestroyWindow(hwnd);
    ASSERT_GE(log.size(), 3u);
    EXPECT_EQ(log.front(), "create");
    EXPECT_EQ(log.back(), "gone");
    EXPECT_NE(std::find(log.begin(), log.end(), "size 50x20"), log.end());
    EXPECT_EQ(CWnd::FromHandle(hwnd), nullptr);
}

TEST(Framework, DataExchangeLoadsValidatesAndKeepsTheDialogOpenOnBadInput) {
    ProbeDialog dialog;
    ASSERT_TRUE(dialog.Create(nullptr));
    HWND wnd = dialog.m_hWnd;
    EXPECT_EQ(WindowText(GetDlgItem(wnd, 100)), L"初期");
    EXPECT_EQ(GetDlgItemInt(wnd, 101, nullptr, TRUE), 5u);
    EXPECT_EQ(IsDlgButtonChecked(wnd, 102), BST_CHECKED);

    // A refused value keeps the dialog open with its warning shown and the field focused.
    DialogAnswerer boxes;
    boxes.Ignore(wnd);
    boxes.Answer(IDOK);
    SetDlgItemTextW(wnd, 101, L"abc");
    EXPECT_FALSE(dialog.UpdateData(true));
    EXPECT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(GetFocus(), GetDlgItem(wnd, 101));
    SetDlgItemTextW(wnd, 101, L"12");
    SetDlgItemTextW(wnd, 100, L"日本");
    CheckDlgButton(wnd, 102, BST_UNCHECKED);
    EXPECT_TRUE(dialog.UpdateData(true));
    EXPECT_EQ(dialog.m_strName, L"日本");
    EXPECT_EQ(dialog.m_nValue, 12);
    EXPECT_EQ(dialog.m_bFlag, 0);
    dialog.DestroyWindow();

    // Run modally, OK ends the dialog with the validated data.
    ProbeDialog modal;
    DialogAnswerer answerer;
    answerer.Answer(IDOK, [](HWND wnd) { SetDlgItemTextW(wnd, 101, L"42"); });
    EXPECT_EQ(modal.DoModal(), IDOK);
    EXPECT_EQ(modal.m_nValue, 42);
}

TEST(Framework, DropTargetNarrowsTheEffectToWhatTheSourceAllowsAndReportsARefusal) {
    std::vector<std::string> log;
    auto* wnd = new ProbeWnd(&log);
    ASSERT_TRUE(wnd->Create());
    RecordingTarget target;
    ASSERT_TRUE(target.Register(wnd));

    // Shift asks for a move; a source that only allows copying gets a copy.
    IDataObject* data = TestDataObject::Create()->AddText("abc");
    EXPECT_EQ(SimulateDrop(target.GetInterface(), data, wnd->m_hWnd, MK_LBUTTON | MK_SHIFT, DROPEFFECT_COPY),
              static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_EQ(target.m_dropEffect, static_cast<DROPEFFECT>(DROPEFFECT_COPY));
    data->Release();

    // Data without text: the drop is refused and the source told so.
    IDataObject* files = TestDataObject::Create()->AddFiles({L"C:\\a.txt"});
    EXPECT_EQ(SimulateDrop(target.GetInterface(), files, wnd->m_hWnd, MK_LBUTTON), static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_EQ(SimulateDrop(target.GetInterface(), files, wnd->m_hWnd, MK_LBUTTON, DROPEFFECT_COPY, false),
              static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_EQ(target.m_nLeaves, 1);
    files->Release();

    target.Revoke();
    wnd->DestroyWindow();
}

namespace {
struct CallbackOwner {
    int calls = 0;
    CUiCallbacks<CallbackOwner> callbacks{*this};
};

void RunPosted() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}
}  // namespace

TEST(Framework, CallsPostedToAnOwnerRunWhileItLivesAndAreDroppedWithTheirDataOnceItHasGone) {
    auto owner = std::make_unique<CallbackOwner>();
    const auto link = owner->callbacks.GetLink();
    const auto data = std::make_shared<int>(7);
    std::thread([&] {
        EXPECT_TRUE(link.Post([data](CallbackOwner& alive) { alive.calls += *data; }));
    }).join();
    RunPosted();
    EXPECT_EQ(owner->calls, 7);

    // Queued, then the owner goes before the UI thread gets to it.
    EXPECT_TRUE(link.Post([data](CallbackOwner& alive) { alive.calls += *data; }));
    owner.reset();
    EXPECT_EQ(data.use_count(), 1) << "the queued call is freed with the owner";
    EXPECT_FALSE(link.Post([data](CallbackOwner& alive) { alive.calls += *data; }));
    EXPECT_EQ(data.use_count(), 1);
    RunPosted();
}
