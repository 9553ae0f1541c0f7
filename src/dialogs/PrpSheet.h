#pragma once
// The property sheet of one folder button: the text page, then the colour page.
#include <windows.h>

#include "model/ButtonRecord.h"
#include "framework/Wnd.h"

// Runs the sheet "プロパティ" modally over `button` (its parent; may be null), both pages
// loaded from `record`, the first page showing. No Apply and no Help button. The colour page
// previews the title in `titleFont` (borrowed; null: the dialog's font).
//
// Returns true when the user ended with OK; `record` then holds the edited values, taken in
// this order: title, folder, program (each without trailing blanks; the folder ends in a
// backslash, an emptied one is "\"), back colour, text colour, refuse-drops flag (set to 0 or 1 when it changed, else kept).
// A colour page the user never opened returns the colours as given. Any other ending returns
// false and leaves `record` untouched.
//
// The caller (the button's Properties command) does the rest, in this order: remake its back
// brush from m_crBack; if m_bNoDrop differs (as a flag) from the value before the call, revoke its drop
// target (now set) or register it again (now clear); refresh; save its page. It does so also
// when nothing was changed.
bool RunButtonProperties(CWnd* button, varolin::ButtonRecord& record, HFONT titleFont);
