#pragma once
// The one way the program loads its own user-visible resources: strings, menus and dialog
// templates, each in the language chosen once at start. The system's own choice (LoadStringW
// and friends follow the thread locale under Wine, the UI language on Windows) would mix the
// two languages, so every look-up names its language.
#include <windows.h>

#include <string>

// Sets the language for the rest of the process; the program calls it once before its first
// window. Until then, and for a language the module lacks, Japanese is used.
void SetResourceLanguage(LANGID language);
LANGID ResourceLanguage();
bool ResourcesAreJapanese();

// A string-table entry ("" when no language has it).
std::wstring LoadLocalizedString(UINT id);
// A menu the caller owns and destroys, or nullptr.
HMENU LoadLocalizedMenu(UINT id);
// A dialog template for the *Indirect* functions, or nullptr.
const DLGTEMPLATE* LocalizedDialogTemplate(UINT id);
