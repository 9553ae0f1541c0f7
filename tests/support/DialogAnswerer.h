#pragma once
// Answers the modal dialogs and message boxes that code under test opens on this thread, and
// records what they said.
//
//   DialogAnswerer answerer;            // hook installed on this thread until scope end
//   answerer.Answer(IDYES);             // the next dialog gets IDYES
//   CallSomethingThatAsks();
//   ASSERT_EQ(answerer.Count(), 1u);
//   EXPECT_EQ(answerer.Dialogs()[0].text, L"...");
//
// On activation of a top-level "#32770" window the hook records its caption and the texts of
// its static controls, runs the queued action (if any) and posts WM_COMMAND with the queued
// id. A dialog with nothing queued gets IDCANCEL (recorded as unexpected), so a test never hangs.
#include <windows.h>

#include <deque>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "framework/Wnd.h"  // WindowText

struct AnsweredDialog {
    std::wstring caption;
    std::vector<std::wstring> statics;  // non-empty static texts, in child order
    std::wstring text;                  // the static texts joined with "\n"
    int answer = 0;                     // the command id posted
    bool unexpected = false;            // nothing was queued for it
};

class DialogAnswerer {
public:
    DialogAnswerer();
    ~DialogAnswerer();
    DialogAnswerer(const DialogAnswerer&) = delete;
    DialogAnswerer& operator=(const DialogAnswerer&) = delete;

    // Queues the answer for the next dialog: a button or control id (IDOK, IDYES, ...).
    void Answer(int id);
    // Queues an action that runs on the dialog first (fill an edit, tick a box), then `id`.
    void Answer(int id, std::function<void(HWND dialog)> before);

    // A dialog-class window that is not to be answered (the bar under test, say).
    void Ignore(HWND wnd) { m_answered.insert(wnd); }
    const std::vector<AnsweredDialog>& Dialogs() const { return m_dialogs; }
    size_t Count() const { return m_dialogs.size(); }
    size_t Pending() const { return m_queue.size(); }
    // The last dialog recorded (an empty record when there is none).
    AnsweredDialog Last() const { return m_dialogs.empty() ? AnsweredDialog{} : m_dialogs.back(); }

private:
    struct Queued {
        int id;
        std::function<void(HWND)> before;
    };
    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);
    void OnActivate(HWND wnd);

    HHOOK m_hook = nullptr;
    DialogAnswerer* m_previous = nullptr;  // an answerer of an enclosing scope, restored at end
    std::deque<Queued> m_queue;
    std::vector<AnsweredDialog> m_dialogs;
    std::set<HWND> m_answered;  // each dialog is answered once, however often it activates
};

// The texts of a window's static children (helper for tests that inspect modeless dialogs).
std::vector<std::wstring> StaticTexts(HWND dialog);
std::wstring ClassName(HWND wnd);
