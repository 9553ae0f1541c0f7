#pragma once
// Answers the modal dialogs and message boxes that code under test opens on this thread, and
// records what they said: while a DialogAnswerer lives, its hook is installed on this thread.
// On activation of a top-level "#32770" window the hook records its caption and the texts of
// its static controls, runs the queued action (if any) and posts WM_COMMAND with the queued
// id. A dialog with nothing queued gets IDCANCEL, so a test never hangs.
#include <windows.h>

#include <deque>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "framework/Wnd.h"  // WindowText

struct AnsweredDialog {
    std::wstring caption;
    std::wstring text;  // the non-empty static texts, in child order, joined with "\n"
};

class DialogAnswerer {
public:
    DialogAnswerer();
    ~DialogAnswerer();
    DialogAnswerer(const DialogAnswerer&) = delete;
    DialogAnswerer& operator=(const DialogAnswerer&) = delete;

    // Queues the answer for the next dialog: a button or control id (IDOK, IDYES, ...), after
    // an optional action on the dialog (fill an edit, tick a box).
    void Answer(int id, std::function<void(HWND dialog)> before = nullptr);

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
