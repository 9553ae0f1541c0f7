#include "framework/DropTargetRouter.h"

#include <utility>

#include "framework/DebugReport.h"
#include "framework/OleDropTarget.h"

class CDropTargetRouter::Impl : public CRefCountedDropTarget {
public:
    Impl(std::function<IDropTarget*(POINTL)> targetAt, std::function<void(bool)> dragging)
        : m_targetAt(std::move(targetAt)), m_dragging(std::move(dragging)) {}
    // Routing follows the registration: OLE may still call in after the revoke (a drag under
    // way), and then nothing of the owner is asked.
    void SetRouting(bool routing) {
        m_routing = routing;
        if (!routing) Leave();
    }

    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keyState, POINTL pt, DWORD* effect) override {
        if (!effect) return E_INVALIDARG;
        Leave();
        m_data = data;
        if (m_data) m_data->AddRef();
        Tell(true);
        Follow(keyState, pt, effect);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keyState, POINTL pt, DWORD* effect) override {
        if (!effect) return E_INVALIDARG;
        if (!Follow(keyState, pt, effect)) return m_current->DragOver(keyState, pt, effect);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragLeave() override {
        Leave();
        Tell(false);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keyState, POINTL pt, DWORD* effect) override {
        if (!effect) return E_INVALIDARG;
        const CDropCallScope inDrop;
        HRESULT hr = S_OK;
        const DWORD allowed = *effect;
        Follow(keyState, pt, effect);
        if (m_current) {
            *effect = allowed;
            // Taken out first: the drop may run a menu or a dialog, and another drag may begin.
            IDropTarget* target = std::exchange(m_current, nullptr);
            hr = target->Drop(data, keyState, pt, effect);
            target->Release();
        } else {
            *effect = DROPEFFECT_NONE;
        }
        Leave();
        Tell(false);
        return hr;
    }

private:
    ~Impl() override { Leave(); }

    // Makes the target under `pt` the current one, leaving the one before and entering the new
    // one with the drag's data. True when the call is answered by this (an enter, or nothing
    // under the point); false when the current target is to be given the call.
    bool Follow(DWORD keyState, POINTL pt, DWORD* effect) {
        IDropTarget* next = nullptr;
        try {
            if (m_routing) next = m_targetAt(pt);
        } catch (...) {
            next = nullptr;
        }
        if (next == m_current && next) return false;
        if (m_current) {
            m_current->DragLeave();
            m_current->Release();
        }
        m_current = next;
        if (!m_current) {
            *effect = DROPEFFECT_NONE;
            return true;
        }
        m_current->AddRef();
        m_current->DragEnter(m_data, keyState, pt, effect);
        return true;
    }
    void Tell(bool dragging) {
        if (!m_routing || !m_dragging) return;
        try {
            m_dragging(dragging);
        } catch (...) {
        }
    }
    void Leave() {
        if (m_current) {
            m_current->DragLeave();
            m_current->Release();
            m_current = nullptr;
        }
        if (m_data) m_data->Release();
        m_data = nullptr;
    }

    std::function<IDropTarget*(POINTL)> m_targetAt;
    std::function<void(bool)> m_dragging;
    bool m_routing = false;            // between the owner's Register and Revoke
    IDropTarget* m_current = nullptr;  // held while the cursor is over it
    IDataObject* m_data = nullptr;     // held from the enter to the leave or drop
};

CDropTargetRouter::CDropTargetRouter(std::function<IDropTarget*(POINTL)> targetAt, std::function<void(bool)> dragging)
    : m_impl(new Impl(std::move(targetAt), std::move(dragging))) {}

CDropTargetRouter::~CDropTargetRouter() {
    Revoke();
    m_impl->Release();
}

bool CDropTargetRouter::Register(HWND wnd) {
    if (!wnd || m_hWnd) return false;
    if (const HRESULT hr = RegisterDragDrop(wnd, m_impl); FAILED(hr)) {
        ReportComFailure(L"RegisterDragDrop (drop router)", hr);
        return false;
    }
    m_hWnd = wnd;
    m_impl->SetRouting(true);
    return true;
}

void CDropTargetRouter::Revoke() {
    if (!m_hWnd) return;
    m_impl->SetRouting(false);
    if (IsWindow(m_hWnd)) RevokeDragDrop(m_hWnd);
    m_hWnd = nullptr;
}
