#pragma once
// The options sheet "オプション" of the main bar's command ID_BAR_OPTIONS (32781).
#include <windows.h>

#include "dialogs/OptionChanges.h"
#include "framework/Wnd.h"

struct AppSettings;

// Runs the options sheet modally over `parent` (may be null): the common page, then the font
// page, no Apply and no Help button.
//
// In: `inForce`, the values the bar has in force ("GroupCount", "DaysNew", "DisplayCount",
// "RenameConfirm", "RenameFormat", "LogFont", "HotKey"), and the sample colours of the font page
// ("InitForeColor", "InitBackColor"). The check boxes show ticked only for a stored 1.
//
// Returns true when the user pressed OK; `edited` then holds the sheet's values: page count
// 1..99, days 0..99, the two check boxes as 0 or 1, the rename format (a stored value outside
// 0..3 stays as it was unless the user chose an entry), the font (exactly `inForce.logFont`
// unless the font page was opened on a face the screen has) and the hotkey control's value (0:
// none). On Cancel `edited` is untouched.
//
// Nothing is written or refreshed here. The bar applies the result:
//   const varolin::OptionValues inForce = OptionsInForce(settings, m_nGroupCount, m_logFont);
//   varolin::OptionValues edited;
//   if (!RunOptionsSheet(this, inForce, settings.crInitForeColor, settings.crInitBackColor, edited)) return;
//   const varolin::OptionChanges changes = varolin::ComputeOptionChanges(inForce, edited, m_nCurrent);
//   StoreOptionChanges(settings, changes, edited);   // the settings in force and the registry
//   m_nGroupCount = edited.groupCount;          // the bar's own values
//   m_nCurrent = changes.currentPage;
//   if (changes.logFont) { m_logFont = edited.logFont; m_style = ButtonStyle(m_logFont, Dpi()); }
//   if (changes.hotKey) register the new hotkey (settings.nHotKey), telling when it is taken;
//   then repaint the current page (kRefreshRepaint) or rebuild the pages and show the
//   current one (kRefreshRebuild).
bool RunOptionsSheet(CWnd* parent, const varolin::OptionValues& inForce, COLORREF crText, COLORREF crBack,
                     varolin::OptionValues& edited);

// The values in force: the bar's page count and font with the program's settings.
varolin::OptionValues OptionsInForce(const AppSettings& settings, int groupCount, const varolin::LogFontRecord& logFont);

// Puts each changed value of `settings` ("DisplayCount", "RenameConfirm", "RenameFormat",
// "DaysNew", "HotKey") in force and writes every changed value, "GroupCount" and "LogFont"
// included, in that order; the bar registers a changed hotkey itself. Unchanged values are not
// written. A font that cannot be written stays in force for this run (the caller has it).
void StoreOptionChanges(AppSettings& settings, const varolin::OptionChanges& changes,
                        const varolin::OptionValues& edited);
