// Drops whose files are copied by the transfer worker: what a stop leaves behind, questions
// and their owner, and what happens to a job whose button or bar goes away meanwhile.
#include <windows.h>
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "transfer/FileCopy.h"
#include "transfer/TransferProgressDlg.h"
#include "framework/Dialog.h"
#include "framework/OleDropTarget.h"
#include "resource.h"
#include "settings/LongPath.h"
#include "support/ButtonHost.h"
#include "support/DialogAnswerer.h"
#include "support/DragImageRecorder.h"
#include "support/MainBarFixture.h"
#include "support/TestDataObject.h"

using Names = std::vector<std::wstring>;
using varolin::ExtendedPath;

namespace {

const std::wstring kStopQuestion = L"ファイルを転送しています。転送を中止して終了しますか？";

// The transfer's progress window of this thread, if it has been made.
HWND ProgressWindow(DWORD thread) {
    HWND found = nullptr;
    EnumThreadWindows(thread, [](HWND wnd, LPARAM lp) {
        if (!GetDlgItem(wnd, IDC_PROGRESS_BAR)) return TRUE;
        *reinterpret_cast<HWND*>(lp) = wnd;
        return FALSE;
    }, reinterpret_cast<LPARAM>(&found));
    return found;
}

void PressCancel(HWND dialog) { SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0); }

// Handles this thread's messages for a while: long enough for a worker's question to arrive.
void HandleMessagesFor(DWORD ms) {
    const ULONGLONG until = GetTickCount64() + ms;
    while (GetTickCount64() < until) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

class DropJob : public testing::Test {
protected:
    void SetUp() override { m_host.Settings().nRenameConfirm = 1; }
    TestButton Button() { return m_button.view ? m_button : (m_button = m_host.Add(FolderRecord(m_target.Path(), L"T"))); }
    std::wstring Source(const std::wstring& name, const char* old = nullptr) {
        EXPECT_TRUE(m_source.WriteFile(name, std::string("new")));
        if (old) {
            EXPECT_TRUE(m_target.WriteFile(name, std::string(old)));
        }
        return m_source / name;
    }
    DWORD Drop(const std::vector<std::wstring>& paths, DWORD keys = MK_LBUTTON) {
        return DropOn(Button(), TestDataObject::Create()->AddFiles(paths), keys);
    }

    ButtonHost m_host;
    TempFolder m_source, m_target;
    DialogAnswerer m_answerer;
    TestButton m_button;
};

}  // namespace

TEST(FileCopy, AStoppedCopyLeavesNoPartAndAReplacedFileSurvivesUntilTheNewOneIsComplete) {
    TempFolder folder;
    ASSERT_TRUE(folder.WriteFile(L"big.bin", std::string(3 << 20, 'b')));
    ASSERT_TRUE(folder.WriteFile(L"old.bin", "old"));
    std::atomic<bool> stop{false};
    CopyControl control;
    control.cancel = &stop;
    control.progress = [&stop](std::uint64_t) { stop = true; };  // after the first chunk
    EXPECT_EQ(CopyFileInChunks(folder / L"big.bin", folder / L"new.bin", true, control), DWORD(ERROR_CANCELLED));
    stop = false;
    EXPECT_EQ(CopyFileInChunks(folder / L"big.bin", folder / L"old.bin", false, control), DWORD(ERROR_CANCELLED));
    EXPECT_EQ(folder.Names(), (Names{L"big.bin", L"old.bin"})) << "no part file, no temporary";
    EXPECT_EQ(FileBytes(folder / L"old.bin"), "old");

    // As the system's copy: a taken name, a write-protected target, and what a copy keeps.
    SetFileAttributesW((folder / L"big.bin").c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(CopyFileInChunks(folder / L"big.bin", folder / L"old.bin", true), DWORD(ERROR_FILE_EXISTS));
    ASSERT_EQ(CopyFileInChunks(folder / L"big.bin", folder / L"copy.bin", true), DWORD(ERROR_SUCCESS));
    EXPECT_EQ(CopyFileInChunks(folder / L"old.bin", folder / L"copy.bin", false), DWORD(ERROR_ACCESS_DENIED));
    WIN32_FILE_ATTRIBUTE_DATA original{}, copy{};
    GetFileAttributesExW((folder / L"big.bin").c_str(), GetFileExInfoStandard, &original);
    GetFileAttributesExW((folder / L"copy.bin").c_str(), GetFileExInfoStandard, &copy);
    EXPECT_EQ(CompareFileTime(&original.ftLastWriteTime, &copy.ftLastWriteTime), 0);
    EXPECT_TRUE(copy.dwFileAttributes & FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(copy.nFileSizeLow, 3u << 20);
}

TEST_F(DropJob, CancelDuringAQuestionEndsTheJobAndKeepsWhatWasDone) {
    // A dialog of the bar the user had open before (About) is not the job's question.
    m_answerer.Answer(0);
    const HWND about = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_ABOUT), m_host.Bar(),
                                          [](HWND wnd, UINT msg, WPARAM wp, LPARAM) -> INT_PTR {
                                              if (msg != WM_COMMAND || LOWORD(wp) == 0) return FALSE;
                                              DestroyWindow(wnd);
                                              return TRUE;
                                          }, 0);
    ShowWindow(about, SW_SHOW);
    // Taken last to first: c is moved, a is asked about, and x must then stay where it is.
    const std::wstring x = Source(L"x.txt"), a = Source(L"a.txt", "old"), c = Source(L"c.txt");
    m_answerer.Answer(IDOK, [](HWND) { PressCancel(ProgressWindow(GetCurrentThreadId())); });
    EXPECT_EQ(Drop({x, a, c}, MK_LBUTTON | MK_SHIFT), DWORD(DROPEFFECT_COPY));
    ASSERT_TRUE(m_host.WaitForTransfers());
    EXPECT_EQ(m_target.Names(), (Names{L"a.txt", L"c.txt"}));
    EXPECT_EQ(FileBytes(m_target / L"a.txt"), "old") << "the question was answered as a stop";
    EXPECT_FALSE(Exists(c));
    EXPECT_TRUE(Exists(a) && Exists(x));
    EXPECT_EQ(m_answerer.Count(), 2u);
    EXPECT_TRUE(IsWindow(about)) << "left open";
    DestroyWindow(about);
}

// Escape or Enter in the progress window cancels as its button does, even while a question of
// the job is open (its modal loop hands the progress window's keys to that window).
TEST_F(DropJob, EscapeOrEnterInTheProgressWindowCancelsTheJob) {
    for (const WPARAM key : {VK_ESCAPE, VK_RETURN}) {
        const std::wstring k = std::to_wstring(key);
        const std::wstring x = Source(k + L"x.txt"), a = Source(k + L"a.txt", "old"), c = Source(k + L"c.txt");
        m_answerer.Answer(IDOK, [key](HWND) {
            const HWND cancel = GetDlgItem(ProgressWindow(GetCurrentThreadId()), IDCANCEL);
            PostMessageW(cancel, WM_KEYDOWN, key, 1);
            PostMessageW(cancel, WM_KEYUP, key, 0xC0000001);
        });
        Drop({x, a, c}, MK_LBUTTON | MK_SHIFT);
        ASSERT_TRUE(m_host.WaitForTransfers());
        EXPECT_EQ(FileBytes(m_target / (k + L"a.txt")), "old") << key << ": the question was answered as a stop";
        EXPECT_TRUE(Exists(a) && Exists(x)) << key;
        EXPECT_FALSE(Exists(c)) << key;
    }
}

// The progress window comes up without taking the focus from the user's work, yet it is an
// application window (taskbar, Alt+Tab); activated, its Cancel has the focus and Space presses it.
TEST(TransferProgress, ShowsWithoutActivationAndIsReachedFromTheKeyboard) {
    ButtonHost host;
    int cancels = 0;
    CTransferProgressDlg progress([&cancels] { ++cancels; });
    progress.JobStarted(host.Bar());
    ASSERT_TRUE(progress.m_hWnd);
    const HWND cancel = GetDlgItem(progress.m_hWnd, IDCANCEL);
    const HWND before = GetForegroundWindow();
    for (int i = 0; i < 300 && !IsWindowVisible(progress.m_hWnd); ++i) HandleMessagesFor(10);
    ASSERT_TRUE(IsWindowVisible(progress.m_hWnd));
    const LONG_PTR exStyle = GetWindowLongPtrW(progress.m_hWnd, GWL_EXSTYLE);
    EXPECT_TRUE(exStyle & WS_EX_APPWINDOW);
    EXPECT_FALSE(exStyle & (WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE));
    EXPECT_EQ(GetForegroundWindow(), before);
    EXPECT_NE(GetActiveWindow(), progress.m_hWnd);

    SetForegroundWindow(progress.m_hWnd);
    EXPECT_EQ(GetFocus(), cancel);
    EXPECT_TRUE(GetWindowLongW(cancel, GWL_STYLE) & WS_TABSTOP);
    // Inside another dialog's modal loop, as the bar's own is.
    DialogAnswerer answerer;
    answerer.Answer(IDOK, [cancel](HWND) {
        PostMessageW(cancel, WM_KEYDOWN, VK_SPACE, 1);
        PostMessageW(cancel, WM_KEYUP, VK_SPACE, 0xC0000001);
    });
    CDialog(IDD_ABOUT).DoModal();
    EXPECT_EQ(cancels, 1);
    progress.JobEnded();
    progress.DestroyWindow();
}

// The bar may be inside another drop (its menu or Save As open, or COM releasing the dragged
// data) when a job's question arrives: the question waits for that drop to return, since the
// drag's source waits for it too; a cancel meanwhile withdraws it and ends the job.
TEST_F(DropJob, AQuestionArrivingDuringADropOpensOnlyOnceTheDropHasReturned) {
    const std::wstring a = Source(L"a.txt", "old"), b = Source(L"b.txt", "old");
    m_answerer.Answer(IDOK);  // rename
    {
        const CDropCallScope inDrop;
        Drop({a});
        HandleMessagesFor(500);
        EXPECT_EQ(m_answerer.Count(), 0u) << "asked inside the drop";
        EXPECT_TRUE(m_host.Transfers().Busy());
    }
    ASSERT_TRUE(m_host.WaitForTransfers());
    EXPECT_EQ(m_answerer.Count(), 1u);
    EXPECT_EQ(FileBytes(m_target / L"a_0000.txt"), "new");
    EXPECT_EQ(FileBytes(m_target / L"a.txt"), "old");

    {
        const CDropCallScope inDrop;
        Drop({b});
        HandleMessagesFor(500);
        PressCancel(ProgressWindow(GetCurrentThreadId()));
        ASSERT_TRUE(m_host.WaitForTransfers()) << "the worker still waits for its question";
    }
    HandleMessagesFor(200);
    EXPECT_EQ(m_answerer.Count(), 1u) << "a withdrawn question was asked after all";
    EXPECT_EQ(m_target.Names(), (Names{L"a.txt", L"a_0000.txt", L"b.txt"}));
    EXPECT_EQ(FileBytes(m_target / L"b.txt"), "old");
}

TEST_F(DropJob, TheDropReturnsAtOnceAndTheBarAnswersWhileTheJobRuns) {
    const std::wstring many = m_source.MakeFolder(L"many");
    std::vector<std::wstring> files;
    for (int i = 0; i < 2000; ++i) {
        files.push_back(many + std::to_wstring(i) + L".txt");
        HANDLE file = CreateFileW(files.back().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
        CloseHandle(file);
    }
    EXPECT_EQ(Drop(files), DWORD(DROPEFFECT_COPY));
    EXPECT_TRUE(m_host.Transfers().Busy()) << "the drop did not wait for its files";

    // From another thread, as another program would: once the progress window is up and the
    // folder still incomplete, the bar answers a message.
    const DWORD ui = GetCurrentThreadId();
    std::atomic<int> answered{-1};
    std::thread watcher([&] {
        for (int i = 0; i < 3000 && answered < 0; ++i, Sleep(5)) {
            const HWND progress = ProgressWindow(ui);
            if (!progress || !IsWindowVisible(progress)) continue;
            if (m_target.Names().size() >= files.size()) break;
            DWORD_PTR result = 0;
            answered = SendMessageTimeoutW(m_host.Bar(), WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result) ? 1 : 0;
        }
    });
    ASSERT_TRUE(m_host.WaitForTransfers());
    watcher.join();
    EXPECT_EQ(answered, 1) << "-1: the window never came up while the job ran";
    EXPECT_EQ(m_target.Names().size(), files.size());
    EXPECT_FALSE(IsWindowVisible(ProgressWindow(ui))) << "hidden when the job ended";
}

TEST_F(DropJob, DeletingTheButtonWhileItsQuestionIsOpenLosesNothing) {
    const std::wstring a = Source(L"a.txt", "old");
    m_answerer.Answer(IDOK, [this](HWND) { Command(Button(), ID_BUTTON_DELETE); });
    Drop({a}, MK_LBUTTON | MK_SHIFT);
    ASSERT_TRUE(m_host.WaitForTransfers());
    EXPECT_FALSE(Exists(m_button));
    EXPECT_EQ(FileBytes(m_target / L"a_0000.txt"), "new") << "renamed as answered";
    EXPECT_EQ(FileBytes(m_target / L"a.txt"), "old");
    EXPECT_FALSE(Exists(a));
}

// While a job writes into a folder its watch waits, however long a question keeps the job open:
// the figures follow in one rescan once the job ends.
TEST_F(DropJob, AFolderBeingWrittenIsListedAgainOnlyWhenTheJobEnds) {
    m_host.Settings().nDisplayCount = 1;
    m_host.Settings().nDaysNew = 0;
    const std::wstring b = Source(L"b.txt", "old"), a = Source(L"a.txt");
    ASSERT_EQ(WaitForText(Button(), L"T [1]"), L"T [1]");
    static TestButton s_button;
    static std::wstring s_seen;
    s_button = Button();
    s_seen.clear();
    m_answerer.Answer(0, [](HWND dialog) {
        // Looked at well after a.txt was written: a watch that did not wait would have seen it.
        SetTimer(dialog, 1, 1500, [](HWND wnd, UINT, UINT_PTR id, DWORD) {
            KillTimer(wnd, id);
            s_seen = WindowText(s_button);
            PostMessageW(wnd, WM_COMMAND, IDOK, 0);
        });
    });
    Drop({b, a});  // taken last to first: a is copied, then b is asked about
    ASSERT_TRUE(m_host.WaitForTransfers());
    EXPECT_EQ(s_seen, L"T [1]");
    EXPECT_EQ(WaitForText(Button(), L"T [3]"), L"T [3]") << "a, b and the renamed b";
}

TEST_F(DropJob, TargetPathsPastTheClassicLimitAreCopiedAndRenamed) {
    const std::wstring deep = m_target.Path() + std::wstring(230 - m_target.Path().size(), L'd') + L"\\";
    ASSERT_TRUE(CreateDirectoryW(ExtendedPath(deep).c_str(), nullptr));
    const std::wstring name = std::wstring(70, L'n') + L".txt";
    const std::wstring source = Source(name);
    m_host.Settings().nRenameConfirm = 0;
    m_button = m_host.Add(FolderRecord(deep, L"Deep"));
    Drop({source});
    ASSERT_TRUE(m_host.WaitForTransfers());
    Drop({source});
    ASSERT_TRUE(m_host.WaitForTransfers());
    EXPECT_EQ(m_answerer.Count(), 0u);
    const std::wstring renamed = deep + std::wstring(70, L'n') + L"_0000.txt";
    EXPECT_GT(renamed.size(), 300u);
    for (const std::wstring& file : {deep + name, renamed}) {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        EXPECT_TRUE(GetFileAttributesExW(ExtendedPath(file).c_str(), GetFileExInfoStandard, &data));
        EXPECT_EQ(data.nFileSizeLow, 3u);
    }
    for (const std::wstring& file : {deep + name, renamed}) DeleteFileW(ExtendedPath(file).c_str());
    RemoveDirectoryW(ExtendedPath(deep).c_str());
}

TEST_F(DropJob, TheShellDrawsTheDragImageOverButtons) {
    DragImageCalls().clear();
    IDataObject* data = TestDataObject::Create()->AddFiles({Source(L"a.txt")});
    SimulateDropAt(RegisteredDropTarget(Button().view), data, Button().ScreenMiddle(), MK_LBUTTON, DROPEFFECT_COPY, false);
    EXPECT_EQ(DropOn(Button(), data, MK_LBUTTON), DWORD(DROPEFFECT_COPY));
    ASSERT_TRUE(m_host.WaitForTransfers());
    char button[32];
    snprintf(button, sizeof button, "%p", static_cast<void*>(Button().view));
    const std::string enter = "enter " + std::string(button) + " 1";
    EXPECT_EQ(DragImageCalls(), (std::vector<std::string>{enter, "over 1", "leave", enter, "over 1", "drop 1"}));
}

class TransferOnTheBar : public MainBarFixture {};

TEST_F(TransferOnTheBar, EndingTheBarDuringAQuestionAsksThenStopsTheJobCleanly) {
    TempFolder source, target;
    ASSERT_TRUE(source.WriteFile(L"a.txt", "new"));
    ASSERT_TRUE(source.WriteFile(L"b.txt", "new"));
    ASSERT_TRUE(target.WriteFile(L"b.txt", "old"));
    WritePage(0, {target.Path()});
    StartBar();
    ASSERT_EQ(View()->ButtonCount(), 1);
    const TestButton button = Buttons(View())[0];
    // While the question about b is open: Exit, No (the copy goes on), Exit again, Yes.
    m_answerer->Answer(IDOK, [this](HWND) {
        m_answerer->Answer(IDNO);
        Command(ID_BAR_EXIT);
        m_answerer->Answer(IDYES);
        Command(ID_BAR_EXIT);
    });
    DropOn(button, TestDataObject::Create()->AddFiles({source / L"a.txt", source / L"b.txt"}), MK_LBUTTON | MK_SHIFT);
    const ULONGLONG until = GetTickCount64() + 30000;
    while (IsWindow(Bar()) && GetTickCount64() < until) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        Sleep(5);
    }
    EXPECT_FALSE(IsWindow(Bar()));
    ASSERT_EQ(m_answerer->Count(), 3u);
    EXPECT_EQ(m_answerer->Dialogs()[1].text, kStopQuestion);
    EXPECT_EQ(m_answerer->Dialogs()[2].text, kStopQuestion);
    // b stays as both were; a, after the question, was never moved.
    EXPECT_EQ(FileBytes(target / L"b.txt"), "old");
    EXPECT_EQ(target.Names(), (Names{L"b.txt"}));
    EXPECT_EQ(source.Names(), (Names{L"a.txt", L"b.txt"}));
    EXPECT_TRUE(ReadRegistryValue(L"Common", L"AppBarState")) << "the bar's state was saved";
}

TEST_F(TransferOnTheBar, EndingTheBarWhileAQuestionWaitsForADropStopsTheJobWithoutAsking) {
    TempFolder source, target;
    ASSERT_TRUE(source.WriteFile(L"a.txt", "new"));
    ASSERT_TRUE(target.WriteFile(L"a.txt", "old"));
    WritePage(0, {target.Path()});
    StartBar();
    ASSERT_EQ(View()->ButtonCount(), 1);
    const TestButton button = Buttons(View())[0];
    {
        const CDropCallScope inDrop;
        DropOn(button, TestDataObject::Create()->AddFiles({source / L"a.txt"}), MK_LBUTTON | MK_SHIFT);
        HandleMessagesFor(500);
        m_answerer->Answer(IDYES);
        Command(ID_BAR_EXIT);
        for (int i = 0; i < 3000 && IsWindow(Bar()); ++i) HandleMessagesFor(10);
    }
    HandleMessagesFor(200);  // what the drop deferred runs with the queue gone
    EXPECT_FALSE(IsWindow(Bar()));
    ASSERT_EQ(m_answerer->Count(), 1u);
    EXPECT_EQ(m_answerer->Dialogs()[0].text, kStopQuestion);
    EXPECT_EQ(FileBytes(target / L"a.txt"), "old");
    EXPECT_EQ(source.Names(), (Names{L"a.txt"}));
}
