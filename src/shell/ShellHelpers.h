#pragma once
// Helpers shared by the bar, pages, buttons and dialogs: the folder browser, path rules,
// dropped file lists, system error texts, the help file, and bitmaps drawn with one colour
// transparent.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "settings/PathUtil.h"
#include "framework/Handles.h"
#include "framework/OleDropTarget.h"

// Trims the path in place and splits it: name = file name + extension, directory = drive +
// directory (ending in a backslash whenever the path held one).
using varolin::SplitPath;
// Trims trailing white space and makes the path end in exactly one more backslash unless it
// already ends in one.
using varolin::AddTrailingBackslash;

// Whether `path` names an existing folder.
bool IsFolder(const std::wstring& path);

// The paths of the file list dropped with `data`, in drop order and at their full length;
// nothing when the data holds no file list or a damaged one (see varolin::ParseDropList).
std::optional<std::vector<std::wstring>> DroppedFiles(COleDataObject* data);

// Lets the user choose a file-system folder, preselecting `path` (may be empty). On true,
// `path` is the chosen folder ending in a backslash; on false (cancelled) it is unchanged.
bool BrowseForFolder(HWND owner, std::wstring& path, const std::wstring& title);

// Shows the system's text for a Win32 error code with a stop icon; a code the system has no
// text for is shown by its number.
void ShowSystemError(DWORD code, HWND owner = nullptr);

// The help file in the program directory `appDir` for the language the program speaks:
// Varolin.chm in Japanese; in English Varolin.en.chm, or Varolin.chm when that is missing.
std::wstring HelpFilePath(const std::wstring& appDir);

// Opens a topic of the help file (above) in `appDir`. Does nothing when the HTML Help
// component cannot be loaded.
void ShowHelp(const std::wstring& appDir, const std::wstring& topic);

// Makes a monochrome mask of `image`: 0 where the image has the colour of its top-left pixel,
// 1 elsewhere. `mask` is left empty when the image cannot be read.
void MakeMaskBitmap(HBITMAP image, OwnedBitmap& mask);

// Draws `image` at (x, y) leaving the destination untouched where `mask` is 0. Neither bitmap
// may be selected into another DC. Uses one memory DC and creates no bitmaps.
void DrawTransparent(HDC dc, HBITMAP image, HBITMAP mask, int x, int y, int width, int height);

// Whether Windows' high contrast is on now.
bool IsHighContrastOn();
