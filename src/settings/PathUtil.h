#pragma once
// Path rules shared by start-up, pages, transfers and dialogs. Portable: no <windows.h>.
#include <string>

namespace varolin {

// Trims blanks, tabs and line breaks (the single-byte white space the C runtime knows).
std::wstring TrimRight(std::wstring s);
std::wstring Trim(std::wstring s);

// The C runtime's path splitter: drive "X:", directory up to and including the last slash
// or backslash, file name, and extension from the last dot of the name on.
struct PathParts {
    std::wstring drive, dir, fname, ext;
};
PathParts SplitPathParts(const std::wstring& path);

// Trims the path in place; name = file name + extension; directory = drive + directory.
void SplitPath(std::wstring& path, std::wstring& name, std::wstring* directory = nullptr);

// Trims trailing white space, then appends a backslash unless the path already ends in one.
void AddTrailingBackslash(std::wstring& path);

// The program directory (ending in a backslash) from the process command line: what follows
// the first double quote up to the next one, or the whole line when it holds none.
std::wstring ProgramDirFromCommandLine(const std::wstring& commandLine);

// The same, except that an unquoted command line carrying arguments (a blank left after
// trimming) cannot be split reliably: the directory of `modulePath` (the running exe) is taken.
std::wstring ProgramDirFromCommandLine(const std::wstring& commandLine, const std::wstring& modulePath);

}  // namespace varolin
