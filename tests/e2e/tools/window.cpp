// window VERB [--class C] [--caption T] [--child ID] [--timeout S] ...
// Drives the program under test from another process. Waits for a matching top-level window
// (a caption ending in "*" matches every caption that starts with the rest), then by VERB:
//   find                  prints its caption
//   close [--wm-close | --command ID]
//                         closes it as a user would (the system menu's Close), with WM_CLOSE,
//                         or chooses its menu command ID instead
//   answer                takes it for a message box (class "#32770", text control 0xFFFF),
//                         prints its text and answers OK
//   info                  prints the bar's page label (control 1009), "topmost" or "normal",
//                         the rectangles of its page spin (control 1006) and of the bar, each
//                         as "left,top,right,bottom" in screen pixels
//   rect [--buttons N]    prints the place of the first folder button of the bar's shown page
//                         on the screen as "WIDTHxHEIGHT+LEFT+TOP": the buttons are drawn by
//                         one page view, which lays out its N buttons (1 unless told) by the
//                         program's own rule
//   drag FILE... [--time] drags the files onto that button with a real DoDragDrop (CF_HDROP,
//                         copy or move allowed) and prints the effect reported: copy, move, none;
//                         with --time, then the milliseconds DoDragDrop took
//   drag --text TEXT      the same with TEXT (CF_TEXT) instead of files
//   foreground            waits (up to the timeout) until it is the foreground window
//   readers               prints what a screen reader finds, through AccessibleObjectFromWindow:
//                         the page label's name, then one line per button of the shown page,
//                         "NAME<TAB>DESCRIPTION<TAB>WIDTHxHEIGHT+LEFT+TOP<TAB>DEFAULT ACTION"
//   save [NAME]           takes it for a file dialog (a "#32770" with a file name box), types
//                         NAME as the file name when given and presses its OK button
// Exit 0 on success, 1 when a window is missing or the drag failed.
#include <windows.h>
#include <ole2.h>
#include <oleacc.h>
#include <shellapi.h>

#include <algorithm>
#include <cwchar>
#include <string>
#include <vector>

#include "pages/PageLayout.h"

#include "support/TestDataObject.h"

namespace {

std::wstring Text(HWND wnd) {
    wchar_t buffer[1024] = {};
    GetWindowTextW(wnd, buffer, 1024);
    return buffer;
}

void Write(DWORD stream, const std::wstring& text) {
    std::string out(text.size() * 3 + 1, '\0');
    out.resize(static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                                       out.data(), static_cast<int>(out.size()), nullptr, nullptr)));
    out += '\n';
    DWORD written = 0;
    WriteFile(GetStdHandle(stream), out.data(), static_cast<DWORD>(out.size()), &written, nullptr);
}
int Fail(const std::wstring& text) {
    Write(STD_ERROR_HANDLE, L"window: " + text);
    return 1;
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
    // The number after `option` among the rest (0 when there is none).
    int Number(const wchar_t* option) const {
        const auto at = std::find(rest.begin(), rest.end(), option);
        return at != rest.end() && at + 1 != rest.end() ? _wtoi(at[1].c_str()) : 0;
    }
    bool Matches(HWND wnd) const {
        wchar_t cls[256] = {};
        GetClassNameW(wnd, cls, 256);
        const size_t prefix = !caption.empty() && caption.back() == L'*' ? caption.size() - 1 : std::wstring::npos;
        const bool captionMatches = Text(wnd).compare(0, prefix, caption, 0, prefix) == 0;
        return (className.empty() || className == cls) && (caption.empty() || captionMatches) &&
               (childId < 0 || GetDlgItem(wnd, childId));
    }
};

// Polls `ready` until it holds, for at most `seconds`.
template <typename Ready>
bool Poll(double seconds, Ready ready) {
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000);
    while (!ready()) {
        if (GetTickCount64() >= end) return false;
        Sleep(100);
    }
    return true;
}

// The matching top-level windows, or the visible page view below `bar`.
std::vector<HWND> Windows(const Args& args, HWND bar = nullptr) {
    std::pair<const Args*, std::vector<HWND>> search{bar ? nullptr : &args, {}};
    const WNDENUMPROC collect = [](HWND wnd, LPARAM lp) -> BOOL {
        auto* s = reinterpret_cast<std::pair<const Args*, std::vector<HWND>>*>(lp);
        wchar_t cls[64] = {};
        GetClassNameW(wnd, cls, 64);
        if (s->first ? s->first->Matches(wnd) : std::wcscmp(cls, L"VarolinPage") == 0 && IsWindowVisible(wnd))
            s->second.push_back(wnd);
        return TRUE;
    };
    if (bar) EnumChildWindows(bar, collect, reinterpret_cast<LPARAM>(&search));
    else EnumWindows(collect, reinterpret_cast<LPARAM>(&search));
    return search.second;
}

// Lets the drag run over the target for a few rounds, then drops.
class DropSoon : public IDropSource {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        *out = iid == IID_IUnknown || iid == IID_IDropSource ? this : nullptr;
        return *out ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }  // lives on main's stack
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD) override {
        if (escape) return DRAGDROP_S_CANCEL;
        return ++m_rounds >= 5 ? DRAGDROP_S_DROP : S_OK;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }

private:
    int m_rounds = 0;
};

// The text in the ANSI code page, as a program offering CF_TEXT has it.
std::string Ansi(const std::wstring& text) {
    std::string ansi(text.size() * 2, '\0');
    ansi.resize(static_cast<size_t>(WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()),
                                                        ansi.data(), static_cast<int>(ansi.size()), nullptr, nullptr)));
    return ansi;
}

// The first button's place on the screen when `view` lays out `count` buttons.
RECT FirstButton(HWND view, int count) {
    RECT client{};
    GetClientRect(view, &client);
    const varolin::ButtonPlace first = varolin::LayoutButtonPlaces(client.right, client.bottom, static_cast<std::size_t>(count),
                                                                   static_cast<int>(GetDpiForWindow(view))).front();
    RECT rc{first.x, first.y, first.x + first.width, first.y + first.height};
    MapWindowPoints(view, nullptr, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

std::wstring Drag(const RECT& rc, IDataObject* data, bool timed) {
    OleInitialize(nullptr);
    SetCursorPos((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    DropSoon source;
    DWORD effect = DROPEFFECT_NONE;
    LARGE_INTEGER frequency{}, start{}, end{};
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    const HRESULT hr = DoDragDrop(data, &source, DROPEFFECT_COPY | DROPEFFECT_MOVE, &effect);
    QueryPerformanceCounter(&end);
    data->Release();
    OleUninitialize();
    if (FAILED(hr)) return L"";
    std::wstring result = effect == DROPEFFECT_COPY ? L"copy" : effect == DROPEFFECT_MOVE ? L"move" : L"none";
    if (timed) result += L" " + std::to_wstring((end.QuadPart - start.QuadPart) * 1000 / frequency.QuadPart);
    return result;
}

// A text property of an accessible object's child, "" when it has none.
template <typename Get>
std::wstring AccText(Get get) {
    BSTR text = nullptr;
    if (FAILED(get(&text)) || !text) return L"";
    std::wstring result(text, SysStringLen(text));
    SysFreeString(text);
    return result;
}

IAccessible* ClientObject(HWND wnd) {
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(wnd, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&object))))
        return nullptr;
    return object;
}

// The `readers` verb: the label's name and the shown page's buttons, as a reader finds them.
int PrintReaders(HWND bar, HWND view) {
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    IAccessible* label = ClientObject(GetDlgItem(bar, 1009));
    if (!label) return Fail(L"the page label has no accessible object");
    Write(STD_OUTPUT_HANDLE, AccText([&](BSTR* s) { return label->get_accName(self, s); }));
    label->Release();
    IAccessible* page = ClientObject(view);
    if (!page) return Fail(L"the page view has no accessible object");
    long count = 0;
    page->get_accChildCount(&count);
    std::vector<VARIANT> children(static_cast<size_t>(count));
    LONG got = 0;
    if (count > 0 && FAILED(AccessibleChildren(page, 0, count, children.data(), &got))) got = 0;
    for (LONG i = 0; i < got; ++i) {
        const VARIANT child = children[static_cast<size_t>(i)];
        if (child.vt != VT_I4) continue;
        long left = 0, top = 0, width = 0, height = 0;
        page->accLocation(&left, &top, &width, &height, child);
        wchar_t place[64];
        swprintf(place, 64, L"%ldx%ld+%ld+%ld", width, height, left, top);
        Write(STD_OUTPUT_HANDLE, AccText([&](BSTR* s) { return page->get_accName(child, s); }) + L"\t" +
                                     AccText([&](BSTR* s) { return page->get_accDescription(child, s); }) + L"\t" + place +
                                     L"\t" + AccText([&](BSTR* s) { return page->get_accDefaultAction(child, s); }));
    }
    page->Release();
    return got == count ? 0 : Fail(L"AccessibleChildren gave fewer children than counted");
}

}  // namespace

int main() {
    Args args;
    const std::wstring verb = args.rest.empty() ? L"" : args.rest.front();
    if (verb == L"answer" || verb == L"save") args.className = L"#32770";
    if (verb == L"answer") args.childId = 0xFFFF;
    std::vector<HWND> found;
    // A file dialog's name box: a combo box in some versions (cmb13), an edit in others (edt1).
    const auto nameBox = [](HWND dialog) {
        HWND combo = GetDlgItem(dialog, 0x47c);
        return combo ? combo : GetDlgItem(dialog, 0x480);
    };
    if (!Poll(args.timeout, [&] {
            found = Windows(args);
            if (verb == L"save")
                found.erase(std::remove_if(found.begin(), found.end(), [&](HWND w) { return !nameBox(w); }), found.end());
            return !found.empty();
        }))
        return Fail(L"timed out");
    HWND wnd = found.front();
    if (verb == L"find") {
        Write(STD_OUTPUT_HANDLE, Text(wnd));
    } else if (verb == L"close") {
        if (args.Has(L"--command")) PostMessageW(wnd, WM_COMMAND, static_cast<WPARAM>(args.Number(L"--command")), 0);
        else if (args.Has(L"--wm-close")) PostMessageW(wnd, WM_CLOSE, 0, 0);
        else PostMessageW(wnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    } else if (verb == L"foreground") {
        if (!Poll(args.timeout, [&] { return GetForegroundWindow() == wnd; })) return Fail(L"not the foreground window");
    } else if (verb == L"answer") {
        Write(STD_OUTPUT_HANDLE, Text(GetDlgItem(wnd, 0xFFFF)));
        PostMessageW(wnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    } else if (verb == L"save") {
        if (args.rest.size() > 1) SendMessageW(nameBox(wnd), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(args.rest[1].c_str()));
        PostMessageW(wnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    } else if (verb == L"info") {
        RECT rc{}, spin{};
        GetWindowRect(wnd, &rc);
        GetWindowRect(GetDlgItem(wnd, 1006), &spin);
        const bool topmost = (GetWindowLongW(wnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
        wchar_t line[160];
        swprintf(line, 160, L" %ls %ld,%ld,%ld,%ld %ld,%ld,%ld,%ld", topmost ? L"topmost" : L"normal", spin.left,
                 spin.top, spin.right, spin.bottom, rc.left, rc.top, rc.right, rc.bottom);
        Write(STD_OUTPUT_HANDLE, Text(GetDlgItem(wnd, 1009)) + line);
    } else if (verb == L"readers") {
        std::vector<HWND> views;
        if (!Poll(args.timeout, [&] { return !(views = Windows(args, wnd)).empty(); })) return Fail(L"no page shown");
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        const int rc = PrintReaders(wnd, views.front());
        CoUninitialize();
        return rc;
    } else if (verb == L"rect" || verb == L"drag") {
        std::vector<HWND> views;
        if (!Poll(args.timeout, [&] { return !(views = Windows(args, wnd)).empty(); })) return Fail(L"no folder button");
        const RECT rc = FirstButton(views.front(), std::max(1, args.Number(L"--buttons")));
        wchar_t place[64];
        swprintf(place, 64, L"%ldx%ld+%ld+%ld", rc.right - rc.left, rc.bottom - rc.top, rc.left, rc.top);
        const bool text = args.Has(L"--text");
        std::vector<std::wstring> items(args.rest.begin() + 1, args.rest.end());
        std::erase(items, L"--text");
        std::erase(items, L"--time");
        if (const auto at = std::find(items.begin(), items.end(), L"--buttons"); at != items.end())
            items.erase(at, std::min(at + 2, items.end()));
        std::wstring result = place;
        if (verb == L"drag") {
            TestDataObject* data = TestDataObject::Create();
            result = items.empty() ? L"" : Drag(rc, text ? data->AddText(Ansi(items.front())) : data->AddFiles(items),
                                                args.Has(L"--time"));
        }
        if (result.empty()) return Fail(L"the drag failed");
        Write(STD_OUTPUT_HANDLE, result);
    } else {
        return Fail(L"no such verb");
    }
    return 0;
}
