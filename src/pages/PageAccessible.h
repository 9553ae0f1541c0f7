#pragma once
// CPageAccessible: what a screen reader finds in a page view (WM_GETOBJECT, OBJID_CLIENT). The
// view's client area holds one simple child per button in display order (child id = index + 1):
// a push button named by its title, described by its figures in words, located at its face on
// the screen, focusable, whose default action ("開く") is the button's click. What concerns the
// window itself (its parent, its own name and place) comes from the system's standard object.
//
// Readers in other processes reach it through COM's marshalling and may hold it after the view
// has gone: the view disconnects it as it is destroyed (their calls then fail in COM), and the
// object reaches the view only through a weak reference, so an in-process caller gets an error
// too, never freed memory.
#include <windows.h>
#include <oleacc.h>

#include "framework/Handles.h"
#include "framework/Lifetime.h"

class CPageView;

class CPageAccessible final : public IAccessible {
public:
    // The object for `view` (whose window is `wnd`), with one reference; null when the
    // system's standard object for the window could not be made.
    static CPageAccessible* Make(CWeakRef<CPageView> view, HWND wnd);
    CPageAccessible(const CPageAccessible&) = delete;
    CPageAccessible& operator=(const CPageAccessible&) = delete;

    // The view is going: every call fails from now on, and COM lets go of remote readers.
    void Disconnect();

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // IDispatch: no type information; readers use the IAccessible methods directly.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override;
    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override;
    HRESULT STDMETHODCALLTYPE accHitTest(long left, long top, VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override;
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override;

private:
    CPageAccessible(CWeakRef<CPageView> view, HWND wnd, IAccessible* standard);
    ~CPageAccessible();

    // The view, with the button `child` names as an index (-1: the view itself). Fails when
    // the view is gone or no such button is shown.
    HRESULT Resolve(const VARIANT& child, CPageView** view, int* index) const;

    LONG m_nRefs = 1;
    CWeakRef<CPageView> m_view;
    HWND m_hWnd;                 // the view's window, for the standard object's answers
    IAccessible* m_pStandard;    // a reference held until Disconnect
};

namespace handle_closers {
// Disconnects the object (its view is going) and lets go of the view's reference.
struct PageAccessible {
    static void Close(CPageAccessible* object) {
        object->Disconnect();
        object->Release();
    }
    static CPageAccessible* Invalid() { return nullptr; }
};
}  // namespace handle_closers
using OwnedPageAccessible = UniqueHandle<CPageAccessible*, handle_closers::PageAccessible>;
