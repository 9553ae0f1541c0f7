#pragma once
// Dropped text kept as a dated note in a text file the user picks in the button's folder.
#include <windows.h>

#include <string>

// Asks for the file in a Save As dialog opened in `folder` that proposes `proposedName`, and
// appends one dated entry with `text` (ANSI bytes, written as they are). After the dialog is
// confirmed, `proposedName` becomes the chosen file's name. A file that cannot be opened or
// written completely is reported with its path, and a partly written entry is taken back.
// Returns true only when the entry is in the file.
bool SaveDroppedText(const std::string& text, const std::wstring& folder, std::wstring& proposedName, HWND parent);
