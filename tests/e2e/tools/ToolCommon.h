#pragma once
// Shared by the e2e helper programs: finding top-level windows of the program under test by
// class, caption and a child control id, and printing UTF-8 to stdout.
#include <windows.h>
#include <shellapi.h>

#include <cwchar>
#include <string>
#include <vector>

namespace tool {

struct Match {
    std::wstring className;  // "" = any
    std::wstring caption;    // "" = any
    int childId = -1;        // -1 = any; else the window must have a child with this id
};

inline std::wstring Text(HWND wnd) {
    wchar_t buffer[1024] = {};
    GetWindowTextW(wnd, buffer, 1024);
    return buffer;
}

inline bool Matches(HWND wnd, const Match& m) {
    wchar_t cls[256] = {};
    GetClassNameW(wnd, cls, 256);
    if (!m.className.empty() && m.className != cls) return false;
    if (!m.caption.empty() && m.caption != Text(wnd)) return false;
    if (m.childId >= 0 && !GetDlgItem(wnd, m.childId)) return false;
    return true;
}

struct Search {
    const Match* match;
    std::vector<HWND> found;
};

inline BOOL CALLBACK CollectMatch(HWND wnd, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    if (Matches(wnd, *search->match)) search->found.push_back(wnd);
    return TRUE;
}

inline std::vector<HWND> FindAll(const Match& m) {
    Search search{&m, {}};
    EnumWindows(CollectMatch, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Polls until a matching window exists (or, with `gone`, until none does), for at most
// `seconds`. Returns the first match (nullptr when waiting for none).
inline bool WaitFor(const Match& m, double seconds, bool gone, HWND* found) {
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000);
    for (;;) {
        const std::vector<HWND> all = FindAll(m);
        if (gone ? all.empty() : !all.empty()) {
            if (found) *found = all.empty() ? nullptr : all.front();
            return true;
        }
        if (GetTickCount64() >= end) return false;
        Sleep(100);
    }
}

inline void Print(const std::wstring& text) {
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(bytes > 0 ? bytes : 0), '\0');
    if (bytes > 0) WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), bytes, nullptr, nullptr);
    out += '\n';
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), out.data(), static_cast<DWORD>(out.size()), &written, nullptr);
}

inline void Error(const std::wstring& text) {
    const std::string out(text.begin(), text.end());  // ASCII diagnostics only
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_ERROR_HANDLE), (out + "\n").data(), static_cast<DWORD>(out.size() + 1), &written, nullptr);
}

// Arguments as "--name value" pairs plus flags; every tool takes the window match options
//   --class NAME  --caption TEXT  --child ID  --timeout SECONDS
struct Args {
    Match match;
    double timeout = 30;
    std::vector<std::wstring> rest;  // everything not consumed above

    Args() {
        int count = 0;
        wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &count);
        for (int i = 1; i < count; ++i) {
            const std::wstring a = argv[i];
            const bool hasValue = i + 1 < count;
            if (a == L"--class" && hasValue) match.className = argv[++i];
            else if (a == L"--caption" && hasValue) match.caption = argv[++i];
            else if (a == L"--child" && hasValue) match.childId = std::wcstol(argv[++i], nullptr, 0);
            else if (a == L"--timeout" && hasValue) timeout = std::wcstod(argv[++i], nullptr);
            else rest.push_back(a);
        }
        LocalFree(argv);
    }
    bool Has(const wchar_t* flag) const {
        for (const auto& r : rest)
            if (r == flag) return true;
        return false;
    }
    // The word after `option` among the rest ("" when it is not there).
    std::wstring Value(const wchar_t* option) const {
        for (size_t i = 0; i + 1 < rest.size(); ++i)
            if (rest[i] == option) return rest[i + 1];
        return {};
    }
};

}  // namespace tool
