#pragma once
// Shared by the e2e helper programs: their command line, finding a top-level window of the
// program under test by class, caption and a child control id, and UTF-8 output.
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cwchar>
#include <string>
#include <vector>

namespace tool {

inline std::wstring Text(HWND wnd) {
    wchar_t buffer[1024] = {};
    GetWindowTextW(wnd, buffer, 1024);
    return buffer;
}

// The window match options --class NAME, --caption TEXT, --child ID and --timeout SECONDS;
// every other word goes to `rest`.
struct Args {
    std::wstring className, caption;  // "" = any
    int childId = -1;                 // -1 = any
    double timeout = 30;
    std::vector<std::wstring> rest;

    Args() {
        int count = 0;
        wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &count);
        for (int i = 1; i < count; ++i) {
            const std::wstring a = argv[i];
            const bool hasValue = i + 1 < count;
            if (a == L"--class" && hasValue) className = argv[++i];
            else if (a == L"--caption" && hasValue) caption = argv[++i];
            else if (a == L"--child" && hasValue) childId = std::wcstol(argv[++i], nullptr, 0);
            else if (a == L"--timeout" && hasValue) timeout = std::wcstod(argv[++i], nullptr);
            else rest.push_back(a);
        }
        LocalFree(argv);
    }
    bool Has(const wchar_t* flag) const { return std::find(rest.begin(), rest.end(), flag) != rest.end(); }
    // The word after `option` among the rest ("" when there is none).
    std::wstring Value(const wchar_t* option) const {
        for (size_t i = 0; i + 1 < rest.size(); ++i)
            if (rest[i] == option) return rest[i + 1];
        return {};
    }
    bool Matches(HWND wnd) const {
        wchar_t cls[256] = {};
        GetClassNameW(wnd, cls, 256);
        return (className.empty() || className == cls) && (caption.empty() || caption == Text(wnd)) &&
               (childId < 0 || GetDlgItem(wnd, childId));
    }
};

// Polls until a matching window exists (with `gone`: until none does), for at most the
// timeout. `found` gets the first match.
inline bool WaitFor(const Args& args, bool gone, HWND* found) {
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(args.timeout * 1000);
    for (;;) {
        std::pair<const Args*, HWND> search{&args, nullptr};
        EnumWindows([](HWND wnd, LPARAM lp) -> BOOL {
            auto* s = reinterpret_cast<std::pair<const Args*, HWND>*>(lp);
            if (!s->first->Matches(wnd)) return TRUE;
            s->second = wnd;
            return FALSE;
        }, reinterpret_cast<LPARAM>(&search));
        if (gone != (search.second != nullptr)) {
            if (found) *found = search.second;
            return true;
        }
        if (GetTickCount64() >= end) return false;
        Sleep(100);
    }
}

inline void Write(DWORD stream, const std::wstring& text) {
    std::string out(static_cast<size_t>(text.size() * 3 + 1), '\0');
    out.resize(static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                                       out.data(), static_cast<int>(out.size()), nullptr, nullptr)));
    out += '\n';
    DWORD written = 0;
    WriteFile(GetStdHandle(stream), out.data(), static_cast<DWORD>(out.size()), &written, nullptr);
}
inline void Print(const std::wstring& text) { Write(STD_OUTPUT_HANDLE, text); }
inline int Fail(const std::wstring& text) {
    Write(STD_ERROR_HANDLE, text);
    return 1;
}

}  // namespace tool
