#pragma once
// String-table texts, message boxes captioned with the application name, and the ANSI code
// page conversions that stored data and peers demand.
#include <windows.h>
#include <string>

// A string-table entry of the running module in the program's language ("" when it has none).
std::wstring LoadStr(UINT id);

// A message box captioned with the application name (string 57344). Returns the button id.
int AppMessageBox(HWND owner, const std::wstring& text, UINT type = MB_OK);
int AppMessageBox(HWND owner, UINT textId, UINT type = MB_OK);

// Conversions through the system's ANSI code page. `lossy` (optional) tells whether some
// character had no ANSI form and was replaced.
std::string WideToAnsi(const std::wstring& text, bool* lossy = nullptr);
std::wstring AnsiToWide(const std::string& text);
