#include "settings/PathUtil.h"

namespace varolin {
namespace {
bool IsSpace(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == L'\v' || c == L'\f'; }
}  // namespace

std::wstring TrimRight(std::wstring s) {
    while (!s.empty() && IsSpace(s.back())) s.pop_back();
    return s;
}

std::wstring Trim(std::wstring s) {
    s = TrimRight(std::move(s));
    size_t first = 0;
    while (first < s.size() && IsSpace(s[first])) ++first;
    return s.substr(first);
}

PathParts SplitPathParts(const std::wstring& path) {
    PathParts parts;
    std::wstring rest = path;
    if (rest.size() >= 2 && rest[1] == L':') {
        parts.drive = rest.substr(0, 2);
        rest.erase(0, 2);
    }
    const size_t slash = rest.find_last_of(L"\\/");
    if (slash != std::wstring::npos) {
        parts.dir = rest.substr(0, slash + 1);
        rest.erase(0, slash + 1);
    }
    const size_t dot = rest.rfind(L'.');
    if (dot != std::wstring::npos) {
        parts.ext = rest.substr(dot);
        rest.erase(dot);
    }
    parts.fname = rest;
    return parts;
}

void SplitPath(std::wstring& path, std::wstring& name, std::wstring* directory) {
    path = Trim(std::move(path));
    const PathParts parts = SplitPathParts(path);
    name = parts.fname + parts.ext;
    if (directory) *directory = parts.drive + parts.dir;
}

void AddTrailingBackslash(std::wstring& path) {
    path = TrimRight(std::move(path));
    if (path.empty() || path.back() != L'\\') path += L'\\';
}

std::wstring ProgramDirFromCommandLine(const std::wstring& commandLine) {
    std::wstring line = commandLine;
    const size_t quote = line.find(L'"');
    if (quote != std::wstring::npos) {
        line.erase(0, quote + 1);
        const size_t close = line.find(L'"');
        if (close != std::wstring::npos) line.erase(close);
    }
    std::wstring name, dir;
    SplitPath(line, name, &dir);
    return dir;
}

std::wstring ProgramDirFromCommandLine(const std::wstring& commandLine, const std::wstring& modulePath) {
    const std::wstring line = Trim(commandLine);
    if (line.find(L'"') == std::wstring::npos && line.find_first_of(L" \t") != std::wstring::npos) {
        std::wstring module = modulePath, name, dir;
        SplitPath(module, name, &dir);
        return dir;
    }
    return ProgramDirFromCommandLine(commandLine);
}

}  // namespace varolin
