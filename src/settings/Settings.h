#pragma once
// The settings store: HKEY_CURRENT_USER\Software\Ovelia\Varolin, sections "Common" and
// "Option" (names, types and defaults in SettingsRecords.h). Everything is read once when the
// bar starts (LoadSettings) and each value is written at once by whatever changes it.
#include <windows.h>

#include <optional>
#include <string>

#include "settings/SettingsRecords.h"

// Colours copied from one button for pasting onto others; never stored.
struct ColorClipboard {
    COLORREF crText = 0;
    COLORREF crBack = 0;
    bool filled = false;
};

// The settings in force for this run, with the little state the whole program shares. The
// application object owns the one instance and hands it down to the bar, its pages and their
// buttons (all on the user-interface thread). Values are kept as stored; only the editing paths
// keep them in range. Whoever changes one writes it at once, for example:
//     settings.nCopyMove = 1;
//     WriteIntSetting(varolin::kCopyMove, settings.nCopyMove);
struct AppSettings {
    int nCopyMove = varolin::kCopyMove.defaultValue;  // "CopyMove": 1 = a plain drop moves, any other value copies
    COLORREF crInitForeColor = static_cast<COLORREF>(varolin::kInitForeColor.defaultValue);  // "InitForeColor"
    COLORREF crInitBackColor = static_cast<COLORREF>(varolin::kInitBackColor.defaultValue);  // "InitBackColor"
    int nDisplayCount = varolin::kDisplayCount.defaultValue;    // "DisplayCount": 1 = titles show " [file count]"
    int nRenameConfirm = varolin::kRenameConfirm.defaultValue;  // "RenameConfirm": 1 = ask on a name conflict
    int nRenameFormat = varolin::kRenameFormat.defaultValue;    // "RenameFormat" as stored: rename with
                                                                // varolin::RenameFormatInUse(nRenameFormat)
    int nDaysNew = varolin::kDaysNew.defaultValue;  // "DaysNew": files younger than this many days are new
    int nSlide = varolin::kSlide.defaultValue;      // "Slide": nonzero = the bar slides when it moves
    int nHotKey = varolin::kHotKey.defaultValue;    // "HotKey": the bar's activation chord, 0 none

    std::wstring strAppDir;                 // the program's folder, ending in a backslash: page files, help
    varolin::RenameCounter renameCounter;   // numbered names: 0 at start, shared by every drop
    ColorClipboard colorClipboard;
};

// The main bar's own settings, read in the same pass.
struct BarSettings {
    int nSelGroup = varolin::kSelGroup.defaultValue;      // "SelGroup" as stored (may be out of range)
    varolin::AppBarState state;                           // "AppBarState" over the bar's default, at its DPI
    std::optional<varolin::MonitorPlace> monitor;         // "AppBarMonitor"; none: the primary
    int nGroupCount = varolin::kGroupCount.defaultValue;  // "GroupCount", kept within 1..99
    varolin::LogFontRecord logFont = varolin::LogFontRecord::Default();  // "LogFont"
};

// Reads every setting in the bar's order ("Common": SelGroup, CopyMove, InitForeColor,
// InitBackColor, AppBarState with AppBarDpi and AppBarMonitor, HotKey; "Option": GroupCount,
// DisplayCount, RenameConfirm, RenameFormat, DaysNew, Slide, LogFont), fills `settings` and
// returns the bar's own. `defaultState` is the docking record the bar computes for a first
// start, at the bar's `dpi` (callers that do not dock anything may leave both out).
BarSettings LoadSettings(AppSettings& settings, const varolin::AppBarState& defaultState = {},
                         int dpi = varolin::kDefaultDpi);

// An integer setting; its default when missing or not a REG_DWORD.
int ReadIntSetting(const varolin::IntSetting& setting);
bool WriteIntSetting(const varolin::IntSetting& setting, int value);

// "AppBarState" laid over `state` (at `dpi`, the stored sizes converted from the DPI recorded
// for them): true when a stored value was read. A missing value, one that is not REG_BINARY
// or longer than 48 bytes leaves `state` as it is.
bool ReadAppBarState(varolin::AppBarState& state, int dpi = varolin::kDefaultDpi);
// Writes the 48-byte record as REG_BINARY, its cbSize set to 48, then "AppBarDpi" for it.
bool WriteAppBarState(const varolin::AppBarState& state, int dpi = varolin::kDefaultDpi);

// "AppBarMonitor": none when missing or unreadable.
std::optional<varolin::MonitorPlace> ReadAppBarMonitor();
bool WriteAppBarMonitor(const varolin::MonitorPlace& place);

// "LogFont": the default when missing, not REG_BINARY, longer than 60 bytes, or when the
// "Option" key cannot be opened (the buttons then still get the default font); a shorter
// value fills its own length of a zeroed record.
varolin::LogFontRecord ReadLogFont();
// Writes the 60 bytes as REG_BINARY.
bool WriteLogFont(const varolin::LogFontRecord& font);
