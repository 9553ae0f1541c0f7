#include "framework/NamedAccessible.h"

#include <utility>

CNamedAccessible* CNamedAccessible::Make(HWND wnd, std::wstring name) {
    IAccessible* standard = MakeStandard(wnd);
    return standard ? new CNamedAccessible(standard, std::move(name)) : nullptr;
}

HRESULT CNamedAccessible::get_accName(VARIANT child, BSTR* name) {
    if (!name) return E_POINTER;
    *name = nullptr;
    if (!IsConnected()) return CO_E_OBJNOTCONNECTED;
    if (child.vt != VT_I4 || child.lVal != CHILDID_SELF) return CStdAccessible::get_accName(child, name);
    *name = SysAllocStringLen(m_strName.data(), static_cast<UINT>(m_strName.size()));
    return *name ? S_OK : E_OUTOFMEMORY;
}
