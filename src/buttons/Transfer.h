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

// What a copy came to. CopyWithRename gives the first three; the others are steps inside a
// transfer, before a name conflict is resolved.
enum class CopyResult {
    Done,            // the file was copied
    Skipped,         // the file was left alone; the drop goes on
    Failed,          // an error was shown; the drop stops
    NameTaken,       // the target name exists
    SourceIsTarget,  // the target name is the source file itself
};

// Copies `source` to `target`. A taken name gets a numbered candidate (after asking, when
// confirmation is on); a target that denies access may have its write protection cleared.
CopyResult CopyWithRename(const TransferOptions& options, bool failIfExists, const std::wstring& source,
                          const std::wstring& target);

// Whether a drop goes on with its next file after one transfer.
enum class TransferOutcome { GoOn, StopDrop };

// Copies (or, with DROPEFFECT_MOVE, moves) `source` into `folder`.
TransferOutcome TransferFile(const TransferOptions& options, DWORD dropEffect, const std::wstring& source,
                             const std::wstring& folder);

// The options that drops use: the settings in force and the program's rename counter.
TransferOptions CurrentTransferOptions(AppSettings& settings);
