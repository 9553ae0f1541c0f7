// dragdrop [--class C] [--caption T] [--child ID] [--timeout S] [--index N] [--rect] FILE...
// Drives a folder button of the running program from another process. Finds the bar window
// (the match options), then the N-th (default 0) visible folder button below it, and either
//   --rect   prints the button's place on the screen as "WIDTHxHEIGHT+LEFT+TOP", or
//   FILE...  puts the cursor on the button's middle and drags the files there with a real
//            DoDragDrop (CF_HDROP, copy or move allowed), printing the effect the target
//            reported: copy, move or none.
// Exit 0 on success, 1 when the bar or button is missing or the drag failed.
#include "ToolCommon.h"

#include <ole2.h>

#include "support/TestDataObject.h"

namespace {

HWND FindButton(HWND bar, size_t index, double seconds) {
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000);
    for (;;) {
        std::vector<HWND> found;
        EnumChildWindows(bar, [](HWND wnd, LPARAM data) -> BOOL {
            wchar_t cls[256] = {};
            GetClassNameW(wnd, cls, 256);
            if (std::wcscmp(cls, L"VarolinButton") == 0 && IsWindowVisible(wnd))
                reinterpret_cast<std::vector<HWND>*>(data)->push_back(wnd);
            return TRUE;
        }, reinterpret_cast<LPARAM>(&found));
        if (found.size() > index) return found[index];
        if (GetTickCount64() >= end) return nullptr;
        Sleep(100);
    }
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

}  // namespace

int main() {
    const tool::Args args;
    HWND bar = nullptr;
    if (!tool::WaitFor(args, false, &bar)) return tool::Fail(L"dragdrop: no bar window");
    const std::wstring index = args.Value(L"--index");
    HWND button = FindButton(bar, index.empty() ? 0 : std::wcstoul(index.c_str(), nullptr, 10), args.timeout);
    if (!button) return tool::Fail(L"dragdrop: no folder button");
    RECT rc{};
    GetWindowRect(button, &rc);
    if (args.Has(L"--rect")) {
        wchar_t place[64];
        swprintf(place, 64, L"%ldx%ld+%ld+%ld", rc.right - rc.left, rc.bottom - rc.top, rc.left, rc.top);
        tool::Print(place);
        return 0;
    }
    std::vector<std::wstring> files;
    for (size_t i = 0; i < args.rest.size(); ++i) {
        if (args.rest[i] == L"--index") ++i;
        else files.push_back(args.rest[i]);
    }
    if (files.empty()) return tool::Fail(L"dragdrop: no files given");

    OleInitialize(nullptr);
    SetCursorPos((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    IDataObject* data = TestDataObject::Create()->AddFiles(files);
    DropSoon source;
    DWORD effect = DROPEFFECT_NONE;
    const HRESULT hr = DoDragDrop(data, &source, DROPEFFECT_COPY | DROPEFFECT_MOVE, &effect);
    data->Release();
    OleUninitialize();
    if (FAILED(hr)) return tool::Fail(L"dragdrop: DoDragDrop failed");
    tool::Print(effect == DROPEFFECT_COPY ? L"copy" : effect == DROPEFFECT_MOVE ? L"move" : L"none");
    return 0;
}
