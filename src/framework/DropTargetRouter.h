#pragma once
// CDropTargetRouter: one OLE registration for a window whose children take drops. OLE finds
// the router on the window (it looks up the parent chain from the window under the cursor) and
// the router hands every notification to the target for the cursor's point, with a leave and an
// enter as the cursor passes from one to the next, as OLE does between registered windows.
// Registering a drop target costs a marshalled COM object per window; one per page is enough.
#include <windows.h>
#include <ole2.h>

#include <functional>

class CDropTargetRouter {
public:
    // `targetAt` gives the target for a point on the screen, or null where nothing takes drops.
    // It is called only between Register and Revoke: an owner that revokes before the members
    // it reads go (in its OnDestroy) is never called back half destroyed.
    // `dragging` (may be empty) hears when a drag comes over the window (true) and when it
    // leaves or is dropped (false), under the same rule.
    explicit CDropTargetRouter(std::function<IDropTarget*(POINTL)> targetAt, std::function<void(bool)> dragging = {});
    ~CDropTargetRouter();
    CDropTargetRouter(const CDropTargetRouter&) = delete;
    CDropTargetRouter& operator=(const CDropTargetRouter&) = delete;

    // False, and reported to the debugger, when OLE refuses the window.
    bool Register(HWND wnd);
    void Revoke();

private:
    class Impl;
    Impl* m_impl;         // reference-counted: OLE may hold it a little longer than we do
    HWND m_hWnd = nullptr;  // borrowed: the registered window
};
