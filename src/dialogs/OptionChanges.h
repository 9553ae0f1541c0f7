#pragma once
// What the options sheet edits and what applying its result means for the bar: which
// settings to write and how much of the bar to refresh. Portable: no <windows.h>.
#include "settings/SettingsRecords.h"

namespace varolin {

// The bar-wide settings the options sheet edits, as held in force or as edited.
struct OptionValues {
    int groupCount = kGroupCount.defaultValue;      // "GroupCount"
    int daysNew = kDaysNew.defaultValue;            // "DaysNew"
    int displayCount = kDisplayCount.defaultValue;  // "DisplayCount": on only when 1
    int renameConfirm = kRenameConfirm.defaultValue;  // "RenameConfirm": on only when 1
    int renameFormat = kRenameFormat.defaultValue;  // "RenameFormat"
    LogFontRecord logFont = LogFontRecord::Default();  // "LogFont"
    int hotKey = kHotKey.defaultValue;              // "HotKey": the hotkey control's value, 0 none
};

// The values as the sheet's pages are loaded with them: a check box is ticked only for a
// stored 1, everything else is shown as it is.
OptionValues SheetInputs(const OptionValues& inForce);

enum RefreshLevel {
    kRefreshNone = 0,
    kRefreshRepaint = 1,  // repaint the current page
    kRefreshRebuild = 2,  // read every page again, then show the current page
};

// The outcome of OK on the sheet. A flag set means: store the edited value in force and
// write it to the registry (in the order of the members).
struct OptionChanges {
    bool displayCount = false;
    bool renameConfirm = false;
    bool renameFormat = false;
    bool daysNew = false;
    bool groupCount = false;
    bool logFont = false;
    bool hotKey = false;  // the bar registers the new chord (nothing to refresh)
    RefreshLevel refresh = kRefreshNone;
    int currentPage = 0;  // the current page index after applying

    bool Any() const { return displayCount || renameConfirm || renameFormat || daysNew || groupCount || logFont || hotKey; }
};

// Compares the sheet's result with the values in force. The check boxes count as 1 when
// non-zero; a page count below the current page makes its last page current; the font
// counts as changed when any of its 60 bytes differs.
OptionChanges ComputeOptionChanges(const OptionValues& inForce, const OptionValues& edited, int currentPage);

// `edited` with the two check boxes written as the 0 or 1 that is stored.
OptionValues NormalisedOptions(const OptionValues& edited);

}  // namespace varolin
