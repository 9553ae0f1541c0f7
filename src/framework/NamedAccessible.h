#pragma once
// CNamedAccessible: a window's standard accessible object (OBJID_CLIENT) under a name its owner
// gives, for a control whose text alone does not say what it means. Everything else is the
// standard object's answer. The owner disconnects it as its window goes: readers holding it
// then get errors.
#include <windows.h>

#include <string>

#include "framework/StdAccessible.h"

class CNamedAccessible final : public CStdAccessible {
public:
    // The object for `wnd`'s client, with one reference; null when the system's standard
    // object could not be made.
    static CNamedAccessible* Make(HWND wnd, std::wstring name);

    void SetName(std::wstring name) { m_strName = std::move(name); }

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;

private:
    CNamedAccessible(IAccessible* standard, std::wstring name)
        : CStdAccessible(standard), m_strName(std::move(name)) {}
    ~CNamedAccessible() override = default;

    std::wstring m_strName;
};

using OwnedNamedAccessible = OwnedAccessible<CNamedAccessible>;
