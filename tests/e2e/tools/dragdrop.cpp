// dragdrop [--class C] [--caption T] [--child ID] [--timeout S] [--index N] [--hash] FILE...
// Drives a folder button of the running program from another process. Finds the bar window
// (the match options), then the N-th (default 0) visible folder button below it, and either
//   --hash   prints a hash of the button's face as the screen shows it, or
//   FILE...  puts the cursor on the button's middle and drags the files there with a real
//            DoDragDrop (CF_HDROP, copy or move allowed), printing the effect the target
//            reported: copy, move or none.
// Exit 0 on success, 1 when the bar or button is missing or the drag failed.
#include "ToolCommon.h"

#include <ole2.h>
#include <shlobj.h>

#include <cstring>

namespace {

const wchar_t kButtonClass[] = L"VarolinButton";

struct ButtonSearch {
    std::vector<HWND> found;
};

BOOL CALLBACK CollectButton(HWND wnd, LPARAM data) {
    wchar_t cls[256] = {};
    GetClassNameW(wnd, cls, 256);
    if (std::wcscmp(cls, kButtonClass) == 0 && IsWindowVisible(wnd))
        reinterpret_cast<ButtonSearch*>(data)->found.push_back(wnd);
    return TRUE;
}

HWND FindButton(HWND bar, size_t index, double seconds) {
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000);
    for (;;) {
        ButtonSearch search;
        EnumChildWindows(bar, CollectButton, reinterpret_cast<LPARAM>(&search));
        if (search.found.size() > index) return search.found[index];
        if (GetTickCount64() >= end) return nullptr;
        Sleep(100);
    }
}

// FNV-1a over the face pixels taken from the screen.
unsigned long long FaceHash(HWND button) {
    RECT rc{};
    GetWindowRect(button, &rc);
    const int w = rc.right - rc.left, h = rc.bottom - rc.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, w, h, screen, rc.left, rc.top, SRCCOPY);
    GdiFlush();
    unsigned long long hash = 1469598103934665603ull;
    const auto* bytes = static_cast<const unsigned char*>(bits);
    for (size_t i = 0; bytes && i < static_cast<size_t>(w) * h * 4; ++i) hash = (hash ^ bytes[i]) * 1099511628211ull;
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return hash;
}

// A file list offered as CF_HDROP only.
class FileData : public IDataObject {
public:
    explicit FileData(const std::vector<std::wstring>& paths) {
        m_bytes.resize(sizeof(DROPFILES));
        auto* header = reinterpret_cast<DROPFILES*>(m_bytes.data());
        header->pFiles = sizeof(DROPFILES);
        header->fWide = TRUE;
        for (const std::wstring& path : paths) {
            const auto* begin = reinterpret_cast<const BYTE*>(path.c_str());
            m_bytes.insert(m_bytes.end(), begin, begin + (path.size() + 1) * sizeof(wchar_t));
        }
        m_bytes.insert(m_bytes.end(), sizeof(wchar_t), 0);
    }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IUnknown || iid == IID_IDataObject) {
            *out = static_cast<IDataObject*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --m_refs; }  // lives on main's stack
    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
        if (QueryGetData(format) != S_OK) return DV_E_FORMATETC;
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, m_bytes.size());
        if (!memory) return E_OUTOFMEMORY;
        std::memcpy(GlobalLock(memory), m_bytes.data(), m_bytes.size());
        GlobalUnlock(memory);
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = memory;
        medium->pUnkForRelease = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
        return format && format->cfFormat == CF_HDROP && (format->tymed & TYMED_HGLOBAL) ? S_OK : DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
        if (out) out->ptd = nullptr;
        return DATA_S_SAMEFORMATETC;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override {
        if (direction != DATADIR_GET) return E_NOTIMPL;
        FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        return SHCreateStdEnumFmtEtc(1, &format, out);
    }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    std::vector<BYTE> m_bytes;
    ULONG m_refs = 1;
};

// Lets the drag run over the target for a few rounds, then drops.
class DropSoon : public IDropSource {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IUnknown || iid == IID_IDropSource) {
            *out = static_cast<IDropSource*>(this);
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
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
    if (!tool::WaitFor(args.match, args.timeout, false, &bar)) {
        tool::Error(L"dragdrop: no bar window");
        return 1;
    }
    size_t index = 0;
    std::vector<std::wstring> files;
    bool hashOnly = false;
    for (size_t i = 0; i < args.rest.size(); ++i) {
        if (args.rest[i] == L"--index" && i + 1 < args.rest.size()) index = std::wcstoul(args.rest[++i].c_str(), nullptr, 10);
        else if (args.rest[i] == L"--hash") hashOnly = true;
        else files.push_back(args.rest[i]);
    }
    HWND button = FindButton(bar, index, args.timeout);
    if (!button) {
        tool::Error(L"dragdrop: no folder button");
        return 1;
    }
    if (hashOnly) {
        tool::Print(std::to_wstring(FaceHash(button)));
        return 0;
    }
    if (files.empty()) {
        tool::Error(L"dragdrop: no files given");
        return 1;
    }

    OleInitialize(nullptr);
    RECT rc{};
    GetWindowRect(button, &rc);
    SetCursorPos((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    FileData data(files);
    DropSoon source;
    DWORD effect = DROPEFFECT_NONE;
    const HRESULT hr = DoDragDrop(&data, &source, DROPEFFECT_COPY | DROPEFFECT_MOVE, &effect);
    OleUninitialize();
    if (FAILED(hr)) {
        tool::Error(L"dragdrop: DoDragDrop failed");
        return 1;
    }
    tool::Print(effect == DROPEFFECT_COPY ? L"copy" : effect == DROPEFFECT_MOVE ? L"move" : L"none");
    return 0;
}
