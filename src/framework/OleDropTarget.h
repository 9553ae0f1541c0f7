#pragma once
// COleDropTarget: an OLE drop target registered on a window, forwarding the drag to virtual
// handlers on the user-interface thread.
#include <windows.h>
#include <ole2.h>

#include <cstddef>
#include <functional>

class CWnd;

// The OLE drop effect bits (DROPEFFECT_COPY, DROPEFFECT_MOVE, ...).
using DROPEFFECT = DWORD;

// The memory of one fetched clipboard format; released with the object.
class CGlobalData {
public:
    CGlobalData() = default;
    explicit CGlobalData(const STGMEDIUM& medium) : m_medium(medium), m_valid(true) {}
    ~CGlobalData() { Reset(); }
    CGlobalData(const CGlobalData&) = delete;
    CGlobalData& operator=(const CGlobalData&) = delete;
    CGlobalData(CGlobalData&& other) noexcept : m_medium(other.m_medium), m_valid(other.m_valid) { other.m_valid = false; }

    explicit operator bool() const { return m_valid && m_medium.hGlobal; }
    HGLOBAL Get() const { return m_valid ? m_medium.hGlobal : nullptr; }
    // The block's real size: readers must not go past it whatever the data claims.
    std::size_t Size() const { return m_valid ? GlobalSize(m_medium.hGlobal) : 0; }

private:
    void Reset();
    STGMEDIUM m_medium{};
    bool m_valid = false;
};

// The dragged data, borrowed for the duration of one notification.
class COleDataObject {
public:
    explicit COleDataObject(IDataObject* data) : m_lpDataObject(data) {}
    bool IsDataAvailable(CLIPFORMAT format) const;
    // Fetches the format as global memory (aspect content, any index); empty when unavailable.
    CGlobalData GetGlobalData(CLIPFORMAT format) const;
    IDataObject* m_lpDataObject;  // borrowed
};

// True while this thread is inside an incoming drop: a drop target's Drop and everything it
// calls. A modal loop there would hold the drag's source (another program) until it closed.
bool InsideDrop();
// Keeps `work` to run on this thread as the drop in progress returns, and says true; false
// (and `work` dropped) outside a drop. `work` should only post: it still runs inside the call.
bool DeferUntilDropReturns(std::function<void()> work);

// Marks one incoming drop call on this thread for as long as it lives; the outermost one runs
// what was deferred as it ends.
class CDropCallScope {
public:
    CDropCallScope();
    ~CDropCallScope();
    CDropCallScope(const CDropCallScope&) = delete;
    CDropCallScope& operator=(const CDropCallScope&) = delete;
};

// IUnknown of a reference-counted IDropTarget object, which deletes itself at the last release.
class CRefCountedDropTarget : public IDropTarget {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

protected:
    virtual ~CRefCountedDropTarget() = default;

private:
    LONG m_refs = 1;
};

class COleDropTarget {
public:
    COleDropTarget();
    virtual ~COleDropTarget();
    COleDropTarget(const COleDropTarget&) = delete;
    COleDropTarget& operator=(const COleDropTarget&) = delete;

    bool Register(CWnd* wnd);
    // Serves `wnd` without registering it: drops reach it through a router on an ancestor
    // (CDropTargetRouter), which hands it GetInterface()'s calls.
    void Attach(CWnd* wnd);
    // Unregisters or detaches; a detached target accepts nothing.
    void Revoke();
    // Registered or attached: serving a window.
    bool IsAttached() const { return m_pWnd != nullptr; }
    IDropTarget* GetInterface() const;

    virtual DROPEFFECT OnDragEnter(CWnd* wnd, COleDataObject* data, DWORD keyState, POINT point);
    virtual DROPEFFECT OnDragOver(CWnd* wnd, COleDataObject* data, DWORD keyState, POINT point);
    virtual void OnDragLeave(CWnd* wnd);
    // Called with the effect OnDragOver chose for the final key state, narrowed to what the
    // source allows; FALSE reports no effect to the source.
    virtual BOOL OnDrop(CWnd* wnd, COleDataObject* data, DROPEFFECT effect, POINT point);

protected:
    // Called during OnDrop: the effect to report to the source if the drop succeeds, in place
    // of the one OnDrop was given. A target that moves files itself reports a copy, so that
    // the source never deletes what the target left in place.
    void ReportEffect(DROPEFFECT effect) {
        m_reportedEffect = effect;
        m_bReportSet = true;
    }

private:
    DROPEFFECT m_reportedEffect = 0;
    bool m_bReportSet = false;
    class Impl;
    Impl* m_impl;   // reference-counted: OLE may hold it a little longer than we do
    CWnd* m_pWnd = nullptr;  // borrowed: the window served
    bool m_bRegistered = false;  // with OLE, rather than attached
    friend class Impl;
};
