#pragma once
// The process-wide objects that start-up makes and every folder button draws with. They are
// made for the bar's DPI and made again when it changes.
#include <windows.h>
#include <string>

#include "appbar/Dpi.h"
#include "settings/SettingsRecords.h"
#include "framework/Handles.h"

// Folder button title fonts, always made together by CreateButtonFonts. The vertical one runs
// downwards, for buttons narrower than half their height.
extern OwnedFont g_fontButton;
extern OwnedFont g_fontButtonVert;
// The NEW badge and its mask for DrawTransparent, drawn by CreateNewMark for one DPI.
extern OwnedBitmap g_bmpNewMark;
extern OwnedBitmap g_bmpNewMarkMask;

// (Re)creates g_fontButton from the font as it is and g_fontButtonVert from a copy turned 90
// degrees clockwise, at `dpi`: the record's sizes are 96-DPI pixels. The old fonts are deleted
// first.
void CreateButtonFonts(const varolin::LogFontRecord& logFont, int dpi);
// The DPI the button fonts were last made for: the buttons draw their margins, marks and
// icons at it.
int ButtonDrawingDpi();

// (Re)draws the NEW badge for `dpi`: black NEW on a yellow plate with rounded corners, 23 x 12
// pixels at 96 DPI and drawn anew at every other scale, never stretched; its top-left pixel is
// the pure blue its mask leaves out.
void CreateNewMark(int dpi);

// The icon the shell shows for a file, exactly `size` pixels square; nullptr when it has none.
HICON LoadFileIcon(const std::wstring& path, int size);

// The stored font record as a LOGFONTW (face name from the ANSI code page) and back (face
// name cut to 31 ANSI bytes without splitting a double-byte character).
LOGFONTW ToLogFontW(const varolin::LogFontRecord& record);
varolin::LogFontRecord FromLogFontW(const LOGFONTW& font);
