#include "framework/OleDropTarget.h"

#include <shlobj.h>

#include <utility>
#include <vector>

#include "framework/DebugReport.h"
#include "framework/Wnd.h"

void CGlobalData::Reset() {
    if (m_valid) ReleaseStgMedium(&m_medium);
    m_valid = false;
}

bool COleDataObject::IsDataAvailable(CLIPFORMAT format) const {
    FORMATETC fmt{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    return m_lpDataObject && m_lpDataObject->QueryGetData(&fmt) == S_OK;
}

CGlobalData COleDataObject::GetGlobalData(CLIPFORMAT format) const {
    FORMATETC fmt{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    if (!m_lpDataObject || m_lpDataObject->GetData(&fmt, &medium) != S_OK) return {};
    if (medium.tymed != TYMED_HGLOBAL) {
        ReleaseStgMedium(&medium);
        return {};
    }
    return CGlobalData(medium);
}

namespace {
// The drop calls this thread is inside, and what waits for the outermost one to return.
struct DropCalls {
    int depth = 0;
    std::vector<std::function<void()>> deferred;
};
DropCalls& ThisThreadsDropCalls() {
    thread_local DropCalls calls;
    return calls;
}
}  // namespace

bool InsideDrop() { return ThisThreadsDropCalls().depth > 0; }

bool DeferUntilDropReturns(std::function<void()> work) {
    DropCalls& calls = ThisThreadsDropCalls();
    if (calls.depth == 0 || !work) return false;
    calls.deferred.push_back(std::move(work));
    return true;
}

CDropCallScope::CDropCallScope() { ++ThisThreadsDropCalls().depth; }

CDropCallScope::~CDropCallScope() {
    DropCalls& calls = ThisThreadsDropCalls();
    if (--calls.depth > 0) return;
    // Taken out first: work may defer again (it then waits for the next drop, not this one).
    const std::vector<std::function<void()>> deferred = std::exchange(calls.deferred, {});
    for (const auto& work : deferred) {
        try {
            work();
        } catch (...) {
        }
    }
}

namespace {
// The shell's drag image over our windows, made once per process at the first drag (the
// process's one UI thread has every drop target). Kept to the end of the process.
IDropTargetHelper* DragImages() {
    static IDropTargetHelper* const helper = [] {
        IDropTargetHelper* made = nullptr;
        if (FAILED(CoCreateInstance(CLSID_DragDropHelper, nullptr, CLSCTX_INPROC_SERVER, IID_IDropTargetHelper,
                                    reinterpret_cast<void**>(&made))))
            made = nullptr;
        return made;
    }();
    return helper;
}

POINT ClientPoint(CWnd* wnd, POINTL screen) {
    POINT point{screen.x, screen.y};
    if (wnd && wnd->m_hWnd) ScreenToClient(wnd->m_hWnd, &point);
    return point;
}

// Keeps an effect the source allows, or swaps copy and move when only the other is allowed.
DROPEFFECT FilterEffect(DROPEFFECT wanted, DWORD allowed) {
    if (wanted & allowed) return wanted;
    if (wanted == DROPEFFECT_COPY && (allowed & DROPEFFECT_MOVE)) return DROPEFFECT_MOVE;
    if (wanted == DROPEFFECT_MOVE && (allowed & DROPEFFECT_COPY)) return DROPEFFECT_COPY;
    return DROPEFFECT_NONE;
}
}  // namespace

HRESULT CRefCountedDropTarget::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDropTarget) {
        *out = static_cast<IDropTarget*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG CRefCountedDropTarget::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&m_refs)); }

ULONG CRefCountedDropTarget::Release() {
    const LONG refs = InterlockedDecrement(&m_refs);
    if (refs == 0) delete this;
    return static_cast<ULONG>(refs);
}

class COleDropTarget::Impl : public CRefCountedDropTarget {
public:
    explicit Impl(COleDropTarget* owner) : m_owner(owner) {}
    void Detach() { m_owner = nullptr; }

    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keyState, POINTL pt, DWORD* effect) override {
        return Guard(effect, [&]() -> DROPEFFECT {
            m_data = data;
            if (m_data) m_data->AddRef();
            COleDataObject wrapper(data);
            CWnd* wnd = m_owner->m_pWnd;
            const DROPEFFECT chosen = FilterEffect(m_owner->OnDragEnter(wnd, &wrapper, keyState, ClientPoint(wnd, pt)), *effect);
            POINT at{pt.x, pt.y};
            if (IDropTargetHelper* images = DragImages(); images && data && wnd)
                images->DragEnter(wnd->m_hWnd, data, &at, chosen);
            return chosen;
        });
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keyState, POINTL pt, DWORD* effect) override {
        return Guard(effect, [&]() -> DROPEFFECT {
            COleDataObject wrapper(m_data);
            CWnd* wnd = m_owner->m_pWnd;
            const DROPEFFECT chosen = FilterEffect(m_owner->OnDragOver(wnd, &wrapper, keyState, ClientPoint(wnd, pt)), *effect);
            POINT at{pt.x, pt.y};
            if (IDropTargetHelper* images = DragImages()) images->DragOver(&at, chosen);
            return chosen;
        });
    }
    HRESULT STDMETHODCALLTYPE DragLeave() override {
        DWORD none = 0;
        Guard(&none, [&]() -> DROPEFFECT {
            if (IDropTargetHelper* images = DragImages()) images->DragLeave();
            m_owner->OnDragLeave(m_owner->m_pWnd);
            return DROPEFFECT_NONE;
        });
        ReleaseData();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keyState, POINTL pt, DWORD* effect) override {
        const CDropCallScope inDrop;
        const HRESULT hr = Guard(effect, [&]() -> DROPEFFECT {
            COleDataObject wrapper(data);
            CWnd* wnd = m_owner->m_pWnd;
            const POINT point = ClientPoint(wnd, pt);
            const DROPEFFECT chosen = FilterEffect(m_owner->OnDragOver(wnd, &wrapper, keyState, point), *effect);
            // The image goes before the drop's own work, which may open menus and dialogs.
            POINT at{pt.x, pt.y};
            if (IDropTargetHelper* images = DragImages(); images && data) images->Drop(data, &at, chosen);
            if (chosen == DROPEFFECT_NONE) return DROPEFFECT_NONE;
            m_owner->m_bReportSet = false;
            if (!m_owner->OnDrop(wnd, &wrapper, chosen, point)) return DROPEFFECT_NONE;
            return m_owner->m_bReportSet ? m_owner->m_reportedEffect : chosen;
        });
        ReleaseData();
        return hr;
    }

private:
    ~Impl() override { ReleaseData(); }
    void ReleaseData() {
        if (m_data) m_data->Release();
        m_data = nullptr;
    }
    // Runs a handler with no exception escaping into OLE; a revoked or detached target accepts
    // nothing.
    template <typename Fn>
    HRESULT Guard(DWORD* effect, Fn&& fn) {
        if (!effect) return E_INVALIDARG;
        DWORD result = DROPEFFECT_NONE;
        if (m_owner && m_owner->m_pWnd) {
            try {
                result = fn();
            } catch (...) {
                result = DROPEFFECT_NONE;
            }
        }
        *effect = result;
        return S_OK;
    }

    COleDropTarget* m_owner;  // borrowed; cleared when the owner goes
    IDataObject* m_data = nullptr;
};

COleDropTarget::COleDropTarget() : m_impl(new Impl(this)) {}

COleDropTarget::~COleDropTarget() {
    Revoke();
    m_impl->Detach();
    m_impl->Release();
}

IDropTarget* COleDropTarget::GetInterface() const { return m_impl; }

bool COleDropTarget::Register(CWnd* wnd) {
    if (!wnd || !wnd->m_hWnd || m_pWnd) return false;
    if (const HRESULT hr = RegisterDragDrop(wnd->m_hWnd, m_impl); FAILED(hr)) {
        ReportComFailure(L"RegisterDragDrop", hr);
        return false;
    }
    m_pWnd = wnd;
    m_bRegistered = true;
    return true;
}

void COleDropTarget::Attach(CWnd* wnd) {
    if (!m_pWnd) m_pWnd = wnd;
}

void COleDropTarget::Revoke() {
    if (!m_pWnd) return;
    if (m_bRegistered && m_pWnd->m_hWnd) RevokeDragDrop(m_pWnd->m_hWnd);
    m_pWnd = nullptr;
    m_bRegistered = false;
}

DROPEFFECT COleDropTarget::OnDragEnter(CWnd*, COleDataObject*, DWORD, POINT) { return DROPEFFECT_NONE; }
DROPEFFECT COleDropTarget::OnDragOver(CWnd*, COleDataObject*, DWORD, POINT) { return DROPEFFECT_NONE; }
void COleDropTarget::OnDragLeave(CWnd*) {}
BOOL COleDropTarget::OnDrop(CWnd*, COleDataObject*, DROPEFFECT, POINT) { return FALSE; }
