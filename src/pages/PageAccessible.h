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

#include <utility>

#include "framework/Lifetime.h"
#include "framework/StdAccessible.h"

class CPageView;

class CPageAccessible final : public CStdAccessible {
public:
    // The object for `view` (whose window is `wnd`), with one reference; null when the
    // system's standard object for the window could not be made.
    static CPageAccessible* Make(CWeakRef<CPageView> view, HWND wnd);

    void Disconnect() override;

    // IAccessible: the buttons as children; the window itself is the standard object's.
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

private:
    CPageAccessible(CWeakRef<CPageView> view, HWND wnd, IAccessible* standard)
        : CStdAccessible(standard), m_view(std::move(view)), m_hWnd(wnd) {}
    ~CPageAccessible() override = default;

    // The view, with the button `child` names as an index (-1: the view itself). Fails when
    // the view is gone or no such button is shown.
    HRESULT Resolve(const VARIANT& child, CPageView** view, int* index) const;
    // A text of `child`: `ofView()` (the standard object's answer) for the view itself,
    // `ofButton(view, index)` for a button.
    template <class ViewText, class ButtonText>
    HRESULT ChildText(VARIANT child, BSTR* out, ViewText ofView, ButtonText ofButton);

    CWeakRef<CPageView> m_view;
    HWND m_hWnd;  // the view's window
};

using OwnedPageAccessible = OwnedAccessible<CPageAccessible>;
