#pragma once
// The progress window of the running transfer: operation, current file, files and bytes done
// of all, a bar, the drops waiting, and a Cancel button. Modeless and owned by the bar; it shows
// itself, without taking the foreground, once a job has run for half a second, and hides when
// the job ends. It is an application window (in the taskbar and Alt+Tab), so the keyboard can
// reach it: activated, Cancel has the focus and Enter, Space or Escape cancel.
#include <windows.h>

#include <functional>

#include "transfer/TransferQueue.h"
#include "framework/Dialog.h"

class CTransferProgressDlg : public CDialog {
public:
    // `onCancel` runs on the UI thread when the user presses Cancel.
    explicit CTransferProgressDlg(std::function<void()> onCancel);

    // A job started: the window shows up after a while unless the job ends first.
    void JobStarted(HWND owner);
    void Update(const TransferProgress& progress);
    void JobEnded();

protected:
    BOOL OnInitDialog() override;
    void OnTimer(UINT_PTR id) override;
    void OnCancel() override;
    void OnOK() override {}

private:
    void Place(HWND owner);
    std::function<void()> m_onCancel;
    TransferProgress m_last;
};
