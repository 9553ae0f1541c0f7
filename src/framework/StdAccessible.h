#pragma once
// CStdAccessible: an accessible object for a window's client (OBJID_CLIENT) that answers
// everything by the system's standard object for that window. Classes that describe more (a
// name, simple children) derive from it and override only those answers.
//
// Readers in other processes reach it through COM's marshalling and may hold it after the
// window has gone: the owner disconnects it as its window goes, after which every call fails
// (in COM for remote readers, here for in-process ones). No method lets an exception out.
#include <windows.h>
#include <oleacc.h>

#include "framework/Handles.h"

class CStdAccessible : public IAccessible {
public:
    CStdAccessible(const CStdAccessible&) = delete;
    CStdAccessible& operator=(const CStdAccessible&) = delete;

    // The window is going: every call fails from now on, and COM lets go of remote readers.
    virtual void Disconnect();

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // IDispatch: no type information; readers use the IAccessible methods directly.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override;
    // IAccessible: the standard object's answers.
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
    // Nothing is renamed or changed through a reader.
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override;
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override;

protected:
    // The system's standard object for `wnd`'s client, with one reference; null when it could
    // not be made (then no object should be made either).
    static IAccessible* MakeStandard(HWND wnd);
    // Takes over the reference to `standard`; the object starts with one reference.
    explicit CStdAccessible(IAccessible* standard) : m_pStandard(standard) {}
    virtual ~CStdAccessible();

    bool IsConnected() const { return m_pStandard != nullptr; }

private:
    // A call of the standard object's, or the answer of an object whose window is gone.
    template <class Method, class... Args>
    HRESULT Forward(Method method, Args... args) {
        return m_pStandard ? (m_pStandard->*method)(args...) : CO_E_OBJNOTCONNECTED;
    }

    LONG m_nRefs = 1;
    IAccessible* m_pStandard;  // a reference held until Disconnect; null after
};

namespace handle_closers {
// Disconnects the object (its window is going) and lets go of the owner's reference.
template <class T>
struct Accessible {
    static void Close(T* object) {
        object->Disconnect();
        object->Release();
    }
    static T* Invalid() { return nullptr; }
};
}  // namespace handle_closers
// A window's accessible object, made at a reader's first question and disconnected with it.
template <class T>
using OwnedAccessible = UniqueHandle<T*, handle_closers::Accessible<T>>;
