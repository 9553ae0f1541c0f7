#pragma once
// The stored font record ("LogFont", LOGFONTA-shaped) and the LOGFONTW the system's font calls
// take.
#include <windows.h>

#include "settings/SettingsRecords.h"

// The stored font record as a LOGFONTW (face name from the ANSI code page) and back (face
// name cut to 31 ANSI bytes without splitting a double-byte character).
LOGFONTW ToLogFontW(const varolin::LogFontRecord& record);
varolin::LogFontRecord FromLogFontW(const LOGFONTW& font);
