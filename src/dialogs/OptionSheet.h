#pragma once
// The options sheet "オプション" of the main bar's command ID_BAR_OPTIONS (32781).
#include <windows.h>

#include "dialogs/OptionChanges.h"
#include "framework/Wnd.h"

// Runs the options sheet modally over `parent` (may be null): the common page, then the font
// page, no Apply and no Help button.
//
// In: `inForce`, the values the bar has in force ("GroupCount", "DaysNew", "DisplayCount",
// "RenameConfirm", "RenameFormat", "LogFont"), and the sample colours of the font page
// ("InitForeColor", "InitBackColor"). The check boxes show ticked only for a stored 1.
//
// Returns true when the user pressed OK; `edited` then holds the sheet's values: page count
// 1..99, days 0..99, the two check boxes as 0 or 1, the rename format (a stored value outside
// 0..3 stays as it was unless the user chose an entry) and the font (exactly `inForce.logFont`
// unless the font page was opened on a face the screen has). On Cancel `edited` is untouched.
//
// Nothing is written or refreshed here. The caller applies the result:
//   varolin::OptionChanges changes = varolin::ComputeOptionChanges(inForce, edited, current);
// then, in this order, stores and writes each value whose flag is set (the font also
// recreates the button fonts), moves to changes.currentPage, and refreshes as
// changes.refresh says (repaint the current page, or rebuild all pages and show the current).
bool RunOptionsSheet(CWnd* parent, const varolin::OptionValues& inForce, COLORREF crText, COLORREF crBack,
                     varolin::OptionValues& edited);
