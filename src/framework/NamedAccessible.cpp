#include "framework/NamedAccessible.h"

#include <utility>

// Every call but the name's goes to the standard object while it is held.
#define FORWARD(call)                               \
    if (!m_pStandard) return CO_E_OBJNOTCONNECTED;  \
    return m_pStandard->call

CNamedAccessible* CNamedAccessible::Make(HWND wnd, std::wstring name) {
    IAccessible* standard = nullptr;
    if (FAILED(CreateStdAccessibleObject(wnd, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&standard))) ||
        !standard)
        return nullptr;
    return new CNamedAccessible(standard, std::move(name));
}

CNamedAccessible::CNamedAccessible(IAccessible* standard, std::wstring name)
    : m_pStandard(standard), m_strName(std::move(name)) {}

CNamedAccessible::~CNamedAccessible() {
    if (m_pStandard) m_pStandard->Release();
}

void CNamedAccessible::Disconnect() {
    CoDisconnectObject(static_cast<IAccessible*>(this), 0);
    if (IAccessible* standard = std::exchange(m_pStandard, nullptr)) standard->Release();
}

HRESULT CNamedAccessible::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(IAccessible)) {
        *object = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG CNamedAccessible::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&m_nRefs)); }

ULONG CNamedAccessible::Release() {
    const LONG refs = InterlockedDecrement(&m_nRefs);
    if (refs == 0) delete this;
    return static_cast<ULONG>(refs);
}

HRESULT CNamedAccessible::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}
HRESULT CNamedAccessible::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info) *info = nullptr;
    return E_NOTIMPL;
}
HRESULT CNamedAccessible::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }
HRESULT CNamedAccessible::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) { return E_NOTIMPL; }

HRESULT CNamedAccessible::get_accName(VARIANT child, BSTR* name) {
    if (!name) return E_POINTER;
    *name = nullptr;
    if (!m_pStandard) return CO_E_OBJNOTCONNECTED;
    if (child.vt != VT_I4 || child.lVal != CHILDID_SELF) return m_pStandard->get_accName(child, name);
    *name = SysAllocStringLen(m_strName.data(), static_cast<UINT>(m_strName.size()));
    return *name ? S_OK : E_OUTOFMEMORY;
}

HRESULT CNamedAccessible::get_accParent(IDispatch** parent) { FORWARD(get_accParent(parent)); }
HRESULT CNamedAccessible::get_accChildCount(long* count) { FORWARD(get_accChildCount(count)); }
HRESULT CNamedAccessible::get_accChild(VARIANT child, IDispatch** object) { FORWARD(get_accChild(child, object)); }
HRESULT CNamedAccessible::get_accValue(VARIANT child, BSTR* value) { FORWARD(get_accValue(child, value)); }
HRESULT CNamedAccessible::get_accDescription(VARIANT child, BSTR* description) {
    FORWARD(get_accDescription(child, description));
}
HRESULT CNamedAccessible::get_accRole(VARIANT child, VARIANT* role) { FORWARD(get_accRole(child, role)); }
HRESULT CNamedAccessible::get_accState(VARIANT child, VARIANT* state) { FORWARD(get_accState(child, state)); }
HRESULT CNamedAccessible::get_accHelp(VARIANT child, BSTR* help) { FORWARD(get_accHelp(child, help)); }
HRESULT CNamedAccessible::get_accHelpTopic(BSTR* file, VARIANT child, long* topic) {
    FORWARD(get_accHelpTopic(file, child, topic));
}
HRESULT CNamedAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
    FORWARD(get_accKeyboardShortcut(child, shortcut));
}
HRESULT CNamedAccessible::get_accFocus(VARIANT* focus) { FORWARD(get_accFocus(focus)); }
HRESULT CNamedAccessible::get_accSelection(VARIANT* selection) { FORWARD(get_accSelection(selection)); }
HRESULT CNamedAccessible::get_accDefaultAction(VARIANT child, BSTR* action) { FORWARD(get_accDefaultAction(child, action)); }
HRESULT CNamedAccessible::accSelect(long flags, VARIANT child) { FORWARD(accSelect(flags, child)); }
HRESULT CNamedAccessible::accLocation(long* left, long* top, long* width, long* height, VARIANT child) {
    FORWARD(accLocation(left, top, width, height, child));
}
HRESULT CNamedAccessible::accNavigate(long direction, VARIANT start, VARIANT* end) { FORWARD(accNavigate(direction, start, end)); }
HRESULT CNamedAccessible::accHitTest(long left, long top, VARIANT* child) { FORWARD(accHitTest(left, top, child)); }
HRESULT CNamedAccessible::accDoDefaultAction(VARIANT child) { FORWARD(accDoDefaultAction(child)); }
HRESULT CNamedAccessible::put_accName(VARIANT, BSTR) { return E_NOTIMPL; }
HRESULT CNamedAccessible::put_accValue(VARIANT, BSTR) { return E_NOTIMPL; }
