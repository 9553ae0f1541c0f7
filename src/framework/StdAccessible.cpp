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

HRESULT CStdAccessible::get_accParent(IDispatch** parent) {
    return m_pStandard ? m_pStandard->get_accParent(parent) : CO_E_OBJNOTCONNECTED;
}
HRESULT CStdAccessible::get_accChildCount(long* count) {
    return m_pStandard ? m_pStandard->get_accChildCount(count) : CO_E_OBJNOTCONNECTED;
}
HRESULT CStdAccessible::get_accChild(VARIANT child, IDispatch** object) {
    return m_pStandard ? m_pStandard->get_accChild(child, object) : CO_E_OBJNOTCONNECTED;
}
HRESULT CStdAccessible::get_accName(VARIANT child, BSTR* name) {
    return m_pStandard ? m_pStandard->get_accName(child, name) : CO_E_OBJNOTCONNECTED;
}
HRESULT CStdAccessible::get_accValue(VARIANT child, BSTR* value) {
    return m_pStandard ? m_pStandard->get_accValue(child, value) : CO_E_OBJNOTCONNECTED;
}
HRESULT CStdAccessible::get_accDescription(VARIANT child, BSTR* description) {
    return m_pStandard ? m_pStandard->get_accDescription(child, description) : CO_E_OBJNOTCONNECTED;
}
HRESULT CStdAccessible::get_accRole(VARIANT child, VARIANT* role) {
    return m_pStandard ? m_pStandard->get_accRole(child, role) : CO_E_OBJNOTCONNECTED;
}
HRESULT CStdAccessible::get_accState(VARIANT child, VARIANT* state) {
    return m_pStandard ? m_pStandard->get_accState(child, state) : CO_E_OBJNOTCONNECTED;
}
HRESULT CStdAccessible::get_accHelp(VARIANT child, BSTR* help) {
    return m_pStandard ? m_pStandard->get_accHelp(child, help) : CO_E_OBJNOTCONNECTED;
}
HRESULT CStdAccessible::get_accHelpTopic(BSTR* file, VARIANT child, long* topic) {
    return m_pStandard ? m_pStandard->get_accHelpTopic(file, child, topic) : CO_E_OBJNOTCONNECTED;
}
HRESULT CStdAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
    return m_pStandard ? m_pStandard->get_accKeyboardShortcut(child, shortcut) : CO_E_OBJNOTCONNECTED;
}
HRESULT CStdAccessible::get_accFocus(VARIANT* focus) {
    return m_pStandard ? m_pStandard->get_accFocus(focus) : CO_E_OBJNOTCONNECTED;
}
HRESULT CStdAccessible::get_accSelection(VARIANT* selection) {
    return m_pStandard ? m_pStandard->get_accSelection(selection) : CO_E_OBJNOTCONNECTED;
}
HRESULT CStdAccessible::get_accDefaultAction(VARIANT child, BSTR* action) {
    return m_pStandard ? m_pStandard->get_accDefaultAction(child, action) : CO_E_OBJNOTCONNECTED;
}
HRESULT CStdAccessible::accSelect(long flags, VARIANT child) {
    return m_pStandard ? m_pStandard->accSelect(flags, child) : CO_E_OBJNOTCONNECTED;
}
HRESULT CStdAccessible::accLocation(long* left, long* top, long* width, long* height, VARIANT child) {
    return m_pStandard ? m_pStandard->accLocation(left, top, width, height, child) : CO_E_OBJNOTCONNECTED;
}
HRESULT CStdAccessible::accNavigate(long direction, VARIANT start, VARIANT* end) {
    return m_pStandard ? m_pStandard->accNavigate(direction, start, end) : CO_E_OBJNOTCONNECTED;
}
HRESULT CStdAccessible::accHitTest(long left, long top, VARIANT* child) {
    return m_pStandard ? m_pStandard->accHitTest(left, top, child) : CO_E_OBJNOTCONNECTED;
}
HRESULT CStdAccessible::accDoDefaultAction(VARIANT child) {
    return m_pStandard ? m_pStandard->accDoDefaultAction(child) : CO_E_OBJNOTCONNECTED;
}
HRESULT CStdAccessible::put_accName(VARIANT, BSTR) { return E_NOTIMPL; }
HRESULT CStdAccessible::put_accValue(VARIANT, BSTR) { return E_NOTIMPL; }
