#pragma once
// What a folder button stores: the six fields of its group file record, the rules for setting
// them from user input, and the defaults of a button made from a path. Portable.
#include <cstdint>
#include <string>

#include "model/AnsiCodePage.h"

namespace varolin {

// Byte limits of the three strings in the ANSI code page (a double-byte character counts two).
constexpr size_t kMaxProgramBytes = 256;
constexpr size_t kMaxFolderBytes = 260;
constexpr size_t kMaxTitleBytes = 100;

struct ButtonRecord {
    std::wstring m_strProgram;   // file name of a program in m_strFolder, or empty
    std::wstring m_strFolder;    // full path of the folder, ending in a backslash
    std::wstring m_strTitle;     // display title
    std::uint32_t m_crText = 0;  // COLORREF 0x00BBGGRR
    std::uint32_t m_crBack = 0;  // COLORREF
    int m_bNoDrop = 0;           // nonzero: the button refuses drops

    // Text from the user arrives with trailing blanks, tabs and line breaks removed; a full-width
    // blank is kept. Records read from a group file are taken as stored, without these.
    void SetProgram(std::wstring program);
    void SetFolder(std::wstring folder);
    void SetTitle(std::wstring title);

    // A new button for a folder path (ending in a backslash) or a file path: the file name
    // becomes the program, its directory the folder, the folder's last component the title
    // ("C:" for "C:\").
    static ButtonRecord ForPath(std::wstring path, std::uint32_t crText, std::uint32_t crBack);

    // Which path string of a new button passes its byte limit in the given code page: the
    // folder first, then the program's file name. The title is not looked at (CutTitle).
    enum class OverLimit { None, Folder, Program };
    OverLimit PathOverLimit(const AnsiCodePage& codePage) const;
    // Cuts the title to kMaxTitleBytes at a character boundary, counted as the property sheet
    // counts it: a character the code page cannot hold counts as its replacement.
    void CutTitle(const AnsiCodePage& codePage);

    bool operator==(const ButtonRecord&) const = default;
};

// The title a folder path gets: its last component; for a drive root, the drive ("C:").
std::wstring TitleFromFolder(const std::wstring& folder);

}  // namespace varolin
