#include "support/TestDataObject.h"

#include <shlobj.h>

#include <algorithm>
#include <cstring>

TestDataObject* TestDataObject::AddFiles(const std::vector<std::wstring>& paths) {
    std::vector<BYTE> bytes(sizeof(DROPFILES));
    auto* header = reinterpret_cast<DROPFILES*>(bytes.data());
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    for (const std::wstring& path : paths) {
        const auto* begin = reinterpret_cast<const BYTE*>(path.c_str());
        bytes.insert(bytes.end(), begin, begin + (path.size() + 1) * sizeof(wchar_t));
    }
    bytes.insert(bytes.end(), sizeof(wchar_t), 0);
    return AddBytes(CF_HDROP, bytes);
}

TestDataObject* TestDataObject::AddText(const std::string& ansiText, bool terminate) {
    std::vector<BYTE> bytes(ansiText.begin(), ansiText.end());
    if (terminate) bytes.push_back(0);
    return AddBytes(CF_TEXT, bytes);
}

TestDataObject* TestDataObject::AddBytes(CLIPFORMAT format, const std::vector<BYTE>& bytes) {
    m_entries.push_back({format, bytes});
    return this;
}

HRESULT TestDataObject::QueryInterface(REFIID iid, void** out) {
    *out = iid == IID_IUnknown || iid == IID_IDataObject ? static_cast<IDataObject*>(this) : nullptr;
    if (!*out) return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

ULONG TestDataObject::Release() {
    const ULONG refs = --m_refs;
    if (refs == 0) delete this;
    return refs;
}

const TestDataObject::Entry* TestDataObject::Find(const FORMATETC* format) const {
    if (!format || !(format->tymed & TYMED_HGLOBAL) || format->dwAspect != DVASPECT_CONTENT) return nullptr;
    for (const Entry& entry : m_entries)
        if (entry.format == format->cfFormat) return &entry;
    return nullptr;
}

HRESULT TestDataObject::GetData(FORMATETC* format, STGMEDIUM* medium) {
    const Entry* entry = Find(format);
    if (!entry) return DV_E_FORMATETC;
    // GlobalAlloc may round up; the block is exactly as large as the data where it can be.
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, std::max<size_t>(entry->bytes.size(), 1));
    if (!memory) return E_OUTOFMEMORY;
    std::memcpy(GlobalLock(memory), entry->bytes.data(), entry->bytes.size());
    GlobalUnlock(memory);
    *medium = STGMEDIUM{TYMED_HGLOBAL, {.hGlobal = memory}, nullptr};
    return S_OK;
}

namespace {
POINTL Middle(HWND wnd) {
    RECT rc{};
    GetWindowRect(wnd, &rc);
    return POINTL{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}
}  // namespace

DWORD SimulateDrop(IDropTarget* target, IDataObject* data, HWND over, DWORD keyState, DWORD allowed, bool drop) {
    return SimulateDropAt(target, data, Middle(over), keyState, allowed, drop);
}

DWORD SimulateDropAt(IDropTarget* target, IDataObject* data, POINTL point, DWORD keyState, DWORD allowed, bool drop) {
    DWORD effect = allowed;
    target->DragEnter(data, keyState, point, &effect);
    effect = allowed;
    target->DragOver(keyState, point, &effect);
    if (!drop) {
        target->DragLeave();
        return DROPEFFECT_NONE;
    }
    effect = allowed;
    // The buttons are up by the time a drop arrives; only the modifier keys remain.
    target->Drop(data, keyState & (MK_CONTROL | MK_SHIFT | MK_ALT), point, &effect);
    return effect;
}

IDropTarget* RegisteredDropTarget(HWND wnd) {
    // Where RegisterDragDrop puts it, on Windows and Wine alike; like OLE, the nearest window
    // up the parent chain that has one.
    for (; wnd; wnd = GetAncestor(wnd, GA_PARENT))
        if (auto* target = static_cast<IDropTarget*>(GetPropW(wnd, L"OleDropTargetInterface"))) return target;
    return nullptr;
}

DWORD OfferedOver(HWND over, DWORD keyState) { return OfferedAt(over, Middle(over), keyState); }

DWORD OfferedAt(HWND wnd, POINTL point, DWORD keyState) {
    IDropTarget* target = RegisteredDropTarget(wnd);
    if (!target) return DROPEFFECT_NONE;
    IDataObject* data = TestDataObject::Create()->AddFiles({L"C:\\a.txt"});
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    target->DragEnter(data, keyState, point, &effect);
    target->DragLeave();
    data->Release();
    return effect;
}

DWORD DropOn(HWND over, IDataObject* data, DWORD keyState, DWORD allowed) { return DropAt(over, Middle(over), data, keyState, allowed); }

DWORD DropAt(HWND wnd, POINTL point, IDataObject* data, DWORD keyState, DWORD allowed) {
    IDropTarget* target = RegisteredDropTarget(wnd);
    const DWORD effect = target ? SimulateDropAt(target, data, point, keyState, allowed) : DROPEFFECT_NONE;
    data->Release();
    return effect;
}
