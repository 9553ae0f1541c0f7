#pragma once
// The settings store: HKEY_CURRENT_USER\Software\Ovelia\Varolin, sections "Common" and
// "Option" (names, types and defaults in SettingsRecords.h). Everything is read once when the
// bar starts (LoadSettings) and each value is written at once by whatever changes it.
#include <windows.h>

#include "app/SettingsRecords.h"

// Process-wide settings, filled by LoadSettings. Values are kept as stored; only the editing
// paths keep them in range. Whoever changes one writes it at once, for example:
//     g_nCopyMove = 1;
//     WriteIntSetting(varolin::kCopyMove, g_nCopyMove);
extern int g_nCopyMove;             // "CopyMove": 1 = a plain drop moves, any other value copies
extern COLORREF g_crInitForeColor;  // "InitForeColor": text colour of a new folder button
extern COLORREF g_crInitBackColor;  // "InitBackColor": back colour of a new folder button
extern int g_nDisplayCount;         // "DisplayCount": 1 = titles show " [file count]"; else off
extern int g_nRenameConfirm;        // "RenameConfirm": 1 = ask on a name conflict; else rename
extern int g_nRenameFormat;         // "RenameFormat" as stored (0..3 in range). Rename with
                                    // varolin::RenameFormatInUse(g_nRenameFormat): out of range
                                    // gives format 0
extern int g_nDaysNew;              // "DaysNew": files younger than this many days are new; 0: none
extern int g_nSlide;                // "Slide": nonzero = the bar slides when it moves

// The main bar's own settings, read in the same pass.
struct BarSettings {
    int nSelGroup = varolin::kSelGroup.defaultValue;      // "SelGroup" as stored (may be out of range)
    varolin::AppBarState state;                           // "AppBarState" over the bar's default
    int nGroupCount = varolin::kGroupCount.defaultValue;  // "GroupCount", kept within 1..99
    varolin::LogFontRecord logFont = varolin::LogFontRecord::Default();  // "LogFont"
};

// Reads every setting in the bar's order ("Common": SelGroup, CopyMove, InitForeColor,
// InitBackColor, AppBarState; "Option": GroupCount, DisplayCount, RenameConfirm, RenameFormat,
// DaysNew, Slide, LogFont), fills the process-wide values and returns the bar's.
// `defaultState` is the docking record the bar computes for a first start (callers that do
// not dock anything may leave it out).
BarSettings LoadSettings(const varolin::AppBarState& defaultState = {});

// An integer setting; its default when missing or not a REG_DWORD.
int ReadIntSetting(const varolin::IntSetting& setting);
bool WriteIntSetting(const varolin::IntSetting& setting, int value);

// "AppBarState" laid over `state`: true when a stored value was read. A missing value, one
// that is not REG_BINARY or longer than 48 bytes leaves `state` as it is.
bool ReadAppBarState(varolin::AppBarState& state);
// Writes the 48-byte record as REG_BINARY, its cbSize set to 48.
bool WriteAppBarState(const varolin::AppBarState& state);

// "LogFont": the default when missing, not REG_BINARY, longer than 60 bytes, or when the
// "Option" key cannot be opened (the buttons then still get the default font); a shorter
// value fills its own length of a zeroed record.
varolin::LogFontRecord ReadLogFont();
// Writes the 60 bytes as REG_BINARY.
bool WriteLogFont(const varolin::LogFontRecord& font);
