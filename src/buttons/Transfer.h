#pragma once
// Copying and moving one dropped file into a folder button's folder, with numbered names for
// names already taken there.
#include <windows.h>

#include <string>

#include "model/NumberedPath.h"

struct AppSettings;

// What a transfer takes from the settings.
struct TransferOptions {
    int nRenameFormat = 0;       // "RenameFormat"; outside 0..3 renames with format 0
    bool bRenameConfirm = true;  // "RenameConfirm" is 1: ask through CSameNameDlg
    varolin::RenameCounter& counter;  // the program's counter
};

// CopyWithRename results.
constexpr int kCopyDone = 1;     // the file was copied
constexpr int kCopySkipped = 0;  // the file was left alone; the drop goes on
constexpr int kCopyFailed = -1;  // an error was shown; the drop stops

// Copies `source` to `target`. A taken name gets a numbered candidate (after asking, when
// confirmation is on); a target that denies access may have its write protection cleared.
int CopyWithRename(const TransferOptions& options, bool failIfExists, const std::wstring& source,
                   const std::wstring& target);

// Copies (or, with DROPEFFECT_MOVE, moves) `source` into `folder`. Returns 1 to go on with the
// next dropped file, 0 to stop the drop.
int TransferFile(const TransferOptions& options, DWORD dropEffect, const std::wstring& source,
                 const std::wstring& folder);

// The options that drops use: the settings in force and the program's rename counter.
TransferOptions CurrentTransferOptions(AppSettings& settings);
