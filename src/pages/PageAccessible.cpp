#include "pages/PageAccessible.h"

#include <string>
#include <utility>

#include "framework/PrivateMessages.h"
#include "framework/Strings.h"
#include "pages/PageView.h"
#include "resource.h"

namespace {
// Calls into a view that has gone, or an object disconnected.
constexpr HRESULT kGone = CO_E_OBJNOTCONNECTED;

// Runs `body`; nothing thrown crosses the COM method.
template <class Body>
HRESULT Guarded(Body body) {
    try {
        return body();
    } catch (...) {
        return E_FAIL;
    }
}

// `text` as a new BSTR in `out`; S_FALSE (and null) for an empty text.
HRESULT ToBstr(const std::wstring& text, BSTR* out) {
    *out = nullptr;
    if (text.empty()) return S_FALSE;
    *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

void SetChild(VARIANT* out, long id) {
    VariantInit(out);
    out->vt = VT_I4;
    out->lVal = id;
}

long ChildId(int index) { return index + 1; }
}  // namespace

CPageAccessible* CPageAccessible::Make(CWeakRef<CPageView> view, HWND wnd) {
    IAccessible* standard = MakeStandard(wnd);
    return standard ? new CPageAccessible(std::move(view), wnd, standard) : nullptr;
}

void CPageAccessible::Disconnect() {
    m_view = {};
    CStdAccessible::Disconnect();
}

template <class ViewText, class ButtonText>
HRESULT CPageAccessible::ChildText(VARIANT child, BSTR* out, ViewText ofView, ButtonText ofButton) {
    if (!out) return E_POINTER;
    *out = nullptr;
    return Guarded([&]() -> HRESULT {
        CPageView* view = nullptr;
        int index = -1;
        if (const HRESULT hr = Resolve(child, &view, &index); FAILED(hr)) return hr;
        // The view itself is the standard object's; a button's text is ours.
        if (index < 0) return ofView();
        return ToBstr(ofButton(*view, index), out);
    });
}

HRESULT CPageAccessible::Resolve(const VARIANT& child, CPageView** view, int* index) const {
    *view = m_view.Get();
    if (!*view || !IsConnected()) return kGone;
    if (child.vt != VT_I4) return E_INVALIDARG;
    if (child.lVal == CHILDID_SELF) {
        *index = -1;
        return S_OK;
    }
    if (child.lVal < 1 || child.lVal > (*view)->ButtonCount()) return E_INVALIDARG;
    *index = static_cast<int>(child.lVal) - 1;
    return S_OK;
}

HRESULT CPageAccessible::get_accChildCount(long* count) {
    if (!count) return E_POINTER;
    const CPageView* view = m_view.Get();
    if (!view) return kGone;
    *count = view->ButtonCount();
    return S_OK;
}

HRESULT CPageAccessible::get_accChild(VARIANT child, IDispatch** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    CPageView* view = nullptr;
    int index = -1;
    if (const HRESULT hr = Resolve(child, &view, &index); FAILED(hr)) return hr;
    // The buttons are simple elements of this object, not objects of their own.
    return index < 0 ? E_INVALIDARG : S_FALSE;
}

HRESULT CPageAccessible::get_accName(VARIANT child, BSTR* name) {
    return ChildText(
        child, name, [&] { return CStdAccessible::get_accName(child, name); },
        [](const CPageView& view, int index) { return view.ButtonTitle(index); });
}

HRESULT CPageAccessible::get_accValue(VARIANT child, BSTR* value) {
    if (!value) return E_POINTER;
    *value = nullptr;
    CPageView* view = nullptr;
    int index = -1;
    if (const HRESULT hr = Resolve(child, &view, &index); FAILED(hr)) return hr;
    return index < 0 ? CStdAccessible::get_accValue(child, value) : DISP_E_MEMBERNOTFOUND;
}

HRESULT CPageAccessible::get_accDescription(VARIANT child, BSTR* description) {
    return ChildText(
        child, description, [&] { return CStdAccessible::get_accDescription(child, description); },
        [](const CPageView& view, int index) { return view.ButtonFigures(index); });
}

HRESULT CPageAccessible::get_accRole(VARIANT child, VARIANT* role) {
    if (!role) return E_POINTER;
    VariantInit(role);
    CPageView* view = nullptr;
    int index = -1;
    if (const HRESULT hr = Resolve(child, &view, &index); FAILED(hr)) return hr;
    if (index < 0) return CStdAccessible::get_accRole(child, role);
    SetChild(role, ROLE_SYSTEM_PUSHBUTTON);
    return S_OK;
}

HRESULT CPageAccessible::get_accState(VARIANT child, VARIANT* state) {
    if (!state) return E_POINTER;
    VariantInit(state);
    CPageView* view = nullptr;
    int index = -1;
    if (const HRESULT hr = Resolve(child, &view, &index); FAILED(hr)) return hr;
    if (index < 0) return CStdAccessible::get_accState(child, state);
    long bits = STATE_SYSTEM_FOCUSABLE;
    if (GetFocus() == m_hWnd && view->FocusedButton() == index) bits |= STATE_SYSTEM_FOCUSED;
    if (view->IsButtonPressed(index)) bits |= STATE_SYSTEM_PRESSED;
    SetChild(state, bits);
    return S_OK;
}

HRESULT CPageAccessible::get_accHelp(VARIANT child, BSTR* help) {
    if (!help) return E_POINTER;
    *help = nullptr;
    CPageView* view = nullptr;
    int index = -1;
    if (const HRESULT hr = Resolve(child, &view, &index); FAILED(hr)) return hr;
    return index < 0 ? CStdAccessible::get_accHelp(child, help) : S_FALSE;
}

HRESULT CPageAccessible::get_accHelpTopic(BSTR* file, VARIANT child, long* topic) {
    if (!file || !topic) return E_POINTER;
    *file = nullptr;
    *topic = 0;
    CPageView* view = nullptr;
    int index = -1;
    if (const HRESULT hr = Resolve(child, &view, &index); FAILED(hr)) return hr;
    return index < 0 ? CStdAccessible::get_accHelpTopic(file, child, topic) : S_FALSE;
}

HRESULT CPageAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
    if (!shortcut) return E_POINTER;
    *shortcut = nullptr;
    CPageView* view = nullptr;
    int index = -1;
    if (const HRESULT hr = Resolve(child, &view, &index); FAILED(hr)) return hr;
    return index < 0 ? CStdAccessible::get_accKeyboardShortcut(child, shortcut) : S_FALSE;
}

HRESULT CPageAccessible::get_accFocus(VARIANT* focus) {
    if (!focus) return E_POINTER;
    VariantInit(focus);
    const CPageView* view = m_view.Get();
    if (!view) return kGone;
    if (GetFocus() != m_hWnd) return S_FALSE;  // VT_EMPTY: the focus is elsewhere
    const int index = view->FocusedButton();
    SetChild(focus, index >= 0 ? ChildId(index) : CHILDID_SELF);
    return S_OK;
}

HRESULT CPageAccessible::get_accSelection(VARIANT* selection) {
    if (!selection) return E_POINTER;
    VariantInit(selection);
    if (!m_view.Get()) return kGone;
    return S_FALSE;  // buttons are not selected, only focused
}

HRESULT CPageAccessible::get_accDefaultAction(VARIANT child, BSTR* action) {
    return ChildText(
        child, action, [&] { return CStdAccessible::get_accDefaultAction(child, action); },
        [](const CPageView&, int) { return LoadStr(IDS_ACC_OPEN); });
}

HRESULT CPageAccessible::accSelect(long flags, VARIANT child) {
    CPageView* view = nullptr;
    int index = -1;
    if (const HRESULT hr = Resolve(child, &view, &index); FAILED(hr)) return hr;
    if (index < 0) return CStdAccessible::accSelect(flags, child);
    return DISP_E_MEMBERNOTFOUND;  // the keyboard moves the focus among the buttons
}

HRESULT CPageAccessible::accLocation(long* left, long* top, long* width, long* height, VARIANT child) {
    if (!left || !top || !width || !height) return E_POINTER;
    *left = *top = *width = *height = 0;
    CPageView* view = nullptr;
    int index = -1;
    if (const HRESULT hr = Resolve(child, &view, &index); FAILED(hr)) return hr;
    if (index < 0) return CStdAccessible::accLocation(left, top, width, height, child);
    RECT face = view->ButtonRect(index);
    MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&face), 2);
    *left = face.left;
    *top = face.top;
    *width = face.right - face.left;
    *height = face.bottom - face.top;
    return S_OK;
}

HRESULT CPageAccessible::accNavigate(long direction, VARIANT start, VARIANT* end) {
    if (!end) return E_POINTER;
    VariantInit(end);
    CPageView* view = nullptr;
    int index = -1;
    if (const HRESULT hr = Resolve(start, &view, &index); FAILED(hr)) return hr;
    const int count = view->ButtonCount();
    int next = -1;
    if (index < 0) {
        if (direction == NAVDIR_FIRSTCHILD) next = 0;
        else if (direction == NAVDIR_LASTCHILD) next = count - 1;
        else return CStdAccessible::accNavigate(direction, start, end);  // among the window's siblings
    } else if (direction == NAVDIR_NEXT) {
        next = index + 1;
    } else if (direction == NAVDIR_PREVIOUS) {
        next = index - 1;
    } else if (direction == NAVDIR_FIRSTCHILD || direction == NAVDIR_LASTCHILD) {
        return E_INVALIDARG;  // a button has no children
    } else {
        return S_FALSE;  // spatial moves are left to the reader
    }
    if (next < 0 || next >= count) return S_FALSE;
    SetChild(end, ChildId(next));
    return S_OK;
}

HRESULT CPageAccessible::accHitTest(long left, long top, VARIANT* child) {
    if (!child) return E_POINTER;
    VariantInit(child);
    const CPageView* view = m_view.Get();
    if (!view || !IsConnected()) return kGone;
    POINT point{left, top};
    ScreenToClient(m_hWnd, &point);
    const RECT client = view->GetClientRect();
    if (!PtInRect(&client, point)) return S_FALSE;
    const int index = view->ButtonAt(point);
    SetChild(child, index >= 0 ? ChildId(index) : CHILDID_SELF);
    return S_OK;
}

HRESULT CPageAccessible::accDoDefaultAction(VARIANT child) {
    CPageView* view = nullptr;
    int index = -1;
    if (const HRESULT hr = Resolve(child, &view, &index); FAILED(hr)) return hr;
    if (index < 0) return DISP_E_MEMBERNOTFOUND;
    // Posted: the click may open a message box, which must not run inside the reader's call.
    return view->PostMessage(kButtonClickMessage, view->ButtonId(index)) ? S_OK : E_FAIL;
}
