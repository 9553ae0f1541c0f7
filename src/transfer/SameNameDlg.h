#pragma once
// Asks what to do with a dropped file whose name is taken in the target folder: rename it to
// the candidate, overwrite the existing file, or leave this file alone.
#include <windows.h>

#include <cstdint>
#include <string>

#include "framework/Dialog.h"

// The text and size the dialog shows for one file; empty text and size 0 when it is gone.
struct FileDescription {
    std::wstring text;
    std::uint64_t size = 0;
};
FileDescription DescribeFile(const std::wstring& path);

class CSameNameDlg : public CDialog {
public:
    // m_nResult values.
    static constexpr int kAbort = -1;
    static constexpr int kRename = 1;
    static constexpr int kOverwrite = 2;

    // Owned by `parent` (the bar while a drop's job asks), which is disabled while it is open.
    explicit CSameNameDlg(CWnd* parent = nullptr);

    std::wstring m_strSource;     // the dropped (new) file
    std::wstring m_strExisting;   // the file already there (old)
    std::wstring m_strCandidate;  // where Rename copies to
    int m_nResult = kAbort;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    BOOL OnCommand(WPARAM wp, LPARAM lp) override;

private:
    void OpenWithShell(const std::wstring& path) const;
};
