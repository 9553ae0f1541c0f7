#pragma once
// An IDataObject for feeding drop targets in tests: a file list (CF_HDROP as wide DROPFILES),
// ANSI text (CF_TEXT), or raw bytes under any format.
#include <windows.h>
#include <ole2.h>

#include <string>
#include <vector>

class TestDataObject : public IDataObject {
public:
    static TestDataObject* Create() { return new TestDataObject(); }

    TestDataObject* AddFiles(const std::vector<std::wstring>& paths);
    TestDataObject* AddText(const std::string& ansiText, bool terminate = true);
    TestDataObject* AddBytes(CLIPFORMAT format, const std::vector<BYTE>& bytes);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_refs; }
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override;
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override { return Find(format) ? S_OK : DV_E_FORMATETC; }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    TestDataObject() = default;
    virtual ~TestDataObject() = default;
    struct Entry {
        CLIPFORMAT format;
        std::vector<BYTE> bytes;
    };
    // The entry for a request of global memory of the content, or nullptr.
    const Entry* Find(const FORMATETC* format) const;
    std::vector<Entry> m_entries;
    ULONG m_refs = 1;
};

// Drives a registered drop target as a drag from another program would: enter, over, then drop
// or leave. Returns the effect the target reported.
DWORD SimulateDrop(IDropTarget* target, IDataObject* data, HWND over, DWORD keyState,
                   DWORD allowed = DROPEFFECT_COPY | DROPEFFECT_MOVE, bool drop = true);
// The same at a point of the screen.
DWORD SimulateDropAt(IDropTarget* target, IDataObject* data, POINTL point, DWORD keyState,
                     DWORD allowed = DROPEFFECT_COPY | DROPEFFECT_MOVE, bool drop = true);

// The drop target OLE keeps for `wnd` or its nearest ancestor that has one: the one a drag over
// the window reaches, or nullptr when none is registered.
IDropTarget* RegisteredDropTarget(HWND wnd);
// The effect a drag of a file from a source allowing copy and move is offered over the middle
// of `over` on entering (the drag then leaves).
DWORD OfferedOver(HWND over, DWORD keyState = MK_LBUTTON);
// The same over `point` (screen) of `wnd`, which may be bigger.
DWORD OfferedAt(HWND wnd, POINTL point, DWORD keyState = MK_LBUTTON);
// SimulateDrop on the target registered for `over`; takes over `data` (releases it).
DWORD DropOn(HWND over, IDataObject* data, DWORD keyState, DWORD allowed = DROPEFFECT_COPY | DROPEFFECT_MOVE);
// The same at `point` (screen) of `wnd`.
DWORD DropAt(HWND wnd, POINTL point, IDataObject* data, DWORD keyState, DWORD allowed = DROPEFFECT_COPY | DROPEFFECT_MOVE);
