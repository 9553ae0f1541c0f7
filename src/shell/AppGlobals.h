#pragma once
// The process-wide objects that start-up makes and every folder button draws with.
#include <windows.h>
#include <string>

#include "settings/SettingsRecords.h"
#include "framework/Handles.h"

// Folder button title fonts, always made together by CreateButtonFonts. The vertical one runs
// downwards, for buttons narrower than half their height.
extern OwnedFont g_fontButton;
extern OwnedFont g_fontButtonVert;
// The NEW badge (bitmap resource IDB_NEWMARK) and its mask for DrawTransparent.
extern OwnedBitmap g_bmpNewMark;
extern OwnedBitmap g_bmpNewMarkMask;

// (Re)creates g_fontButton from the font as it is and g_fontButtonVert from a copy turned 90
// degrees clockwise. The old fonts are deleted first.
void CreateButtonFonts(const varolin::LogFontRecord& logFont);

// The stored font record as a LOGFONTW (face name from the ANSI code page) and back (face
// name cut to 31 ANSI bytes without splitting a double-byte character).
LOGFONTW ToLogFontW(const varolin::LogFontRecord& record);
varolin::LogFontRecord FromLogFontW(const LOGFONTW& font);
