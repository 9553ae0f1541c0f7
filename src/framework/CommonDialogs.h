#pragma once
// The system's Open, Save As and colour dialogs, with comdlg32 loaded on first use. Loading it
// at start would cost every start-up (16-20 ms under Wine) for dialogs most runs never open,
// and a linker's delay-load stub is not portable: lld puts the import table it patches in
// read-only memory. Each function returns what the system's one returns; when comdlg32 cannot
// be loaded it returns FALSE, as a cancelled dialog does.
#include <windows.h>
#include <commdlg.h>

BOOL ShowOpenFileDialog(OPENFILENAMEW* ofn);
BOOL ShowSaveFileDialog(OPENFILENAMEW* ofn);
BOOL ShowColorDialog(CHOOSECOLORW* choose);
