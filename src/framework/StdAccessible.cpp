#include "framework/StdAccessible.h"

#include <utility>

IAccessible* CStdAccessible::MakeStandard(HWND wnd) {
    IAccessible* standard = nullptr;
    // __uuidof, not IID_IAccessible: mingw-w64's import library defines the latter as a stub.
    if (FAILED(CreateStdAccessibleObject(wnd, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&standard))))
        return nullptr;
    return standard;
}

CStdAccessible::~CStdAccessible() {
    if (m_pStandard) m_pStandard->Release();
}

void CStdAccessible::Disconnect() {
    // Stubs handed to other processes are torn down; their proxies answer with errors.
    CoDisconnectObject(static_cast<IAccessible*>(this), 0);
    if (IAccessible* standard = std::exchange(m_pStandard, nullptr)) standard->Release();
}

HRESULT CStdAccessible::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(IAccessible)) {
        *object = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG CStdAccessible::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&m_nRefs)); }

ULONG CStdAccessible::Release() {
    const LONG refs = InterlockedDecrement(&m_nRefs);
    if (refs == 0) delete this;
    return static_cast<ULONG>(refs);
}

HRESULT CStdAccessible::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}
HRESULT CStdAccessible::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info) *info = nullptr;
    return E_NOTIMPL;
}
HRESULT CStdAccessible::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }
HRESULT CStdAccessible::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) { return E_NOTIMPL; }

HRESULT CStdAccessible::get_accParent(IDispatch** parent) { return Forward(&IAccessible::get_accParent, parent); }
HRESULT CStdAccessible::get_accChildCount(long* count) { return Forward(&IAccessible::get_accChildCount, count); }
HRESULT CStdAccessible::get_accChild(VARIANT child, IDispatch** object) {
    return Forward(&IAccessible::get_accChild, child, object);
}
HRESULT CStdAccessible::get_accName(VARIANT child, BSTR* name) {
    return Forward(&IAccessible::get_accName, child, name);
}
HRESULT CStdAccessible::get_accValue(VARIANT child, BSTR* value) {
    return Forward(&IAccessible::get_accValue, child, value);
}
HRESULT CStdAccessible::get_accDescription(VARIANT child, BSTR* description) {
    return Forward(&IAccessible::get_accDescription, child, description);
}
HRESULT CStdAccessible::get_accRole(VARIANT child, VARIANT* role) {
    return Forward(&IAccessible::get_accRole, child, role);
}
HRESULT CStdAccessible::get_accState(VARIANT child, VARIANT* state) {
    return Forward(&IAccessible::get_accState, child, state);
}
HRESULT CStdAccessible::get_accHelp(VARIANT child, BSTR* help) {
    return Forward(&IAccessible::get_accHelp, child, help);
}
HRESULT CStdAccessible::get_accHelpTopic(BSTR* file, VARIANT child, long* topic) {
    return Forward(&IAccessible::get_accHelpTopic, file, child, topic);
}
HRESULT CStdAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
    return Forward(&IAccessible::get_accKeyboardShortcut, child, shortcut);
}
HRESULT CStdAccessible::get_accFocus(VARIANT* focus) { return Forward(&IAccessible::get_accFocus, focus); }
HRESULT CStdAccessible::get_accSelection(VARIANT* selection) {
    return Forward(&IAccessible::get_accSelection, selection);
}
HRESULT CStdAccessible::get_accDefaultAction(VARIANT child, BSTR* action) {
    return Forward(&IAccessible::get_accDefaultAction, child, action);
}
HRESULT CStdAccessible::accSelect(long flags, VARIANT child) { return Forward(&IAccessible::accSelect, flags, child); }
HRESULT CStdAccessible::accLocation(long* left, long* top, long* width, long* height, VARIANT child) {
    return Forward(&IAccessible::accLocation, left, top, width, height, child);
}
HRESULT CStdAccessible::accNavigate(long direction, VARIANT start, VARIANT* end) {
    return Forward(&IAccessible::accNavigate, direction, start, end);
}
HRESULT CStdAccessible::accHitTest(long left, long top, VARIANT* child) {
    return Forward(&IAccessible::accHitTest, left, top, child);
}
HRESULT CStdAccessible::accDoDefaultAction(VARIANT child) { return Forward(&IAccessible::accDoDefaultAction, child); }
HRESULT CStdAccessible::put_accName(VARIANT, BSTR) { return E_NOTIMPL; }
HRESULT CStdAccessible::put_accValue(VARIANT, BSTR) { return E_NOTIMPL; }
