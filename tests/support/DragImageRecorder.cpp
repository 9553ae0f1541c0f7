#include "support/DragImageRecorder.h"

#include <shlobj.h>

#include <string>

namespace {
std::string Hex(const void* value) {
    char text[32];
    snprintf(text, sizeof text, "%p", value);
    return text;
}

class Recorder : public IDropTargetHelper, public IClassFactory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IUnknown || iid == IID_IDropTargetHelper) *out = static_cast<IDropTargetHelper*>(this);
        else if (iid == IID_IClassFactory) *out = static_cast<IClassFactory*>(this);
        else return *out = nullptr, E_NOINTERFACE;
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }  // lives as long as the process
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    HRESULT STDMETHODCALLTYPE DragEnter(HWND target, IDataObject*, POINT*, DWORD effect) override {
        return Record("enter " + Hex(target) + " " + std::to_string(effect));
    }
    HRESULT STDMETHODCALLTYPE DragLeave() override { return Record("leave"); }
    HRESULT STDMETHODCALLTYPE DragOver(POINT*, DWORD effect) override { return Record("over " + std::to_string(effect)); }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject*, POINT*, DWORD effect) override {
        return Record("drop " + std::to_string(effect));
    }
    HRESULT STDMETHODCALLTYPE Show(BOOL) override { return S_OK; }

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
        return outer ? CLASS_E_NOAGGREGATION : QueryInterface(iid, out);
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

private:
    static HRESULT Record(std::string call) {
        DragImageCalls().push_back(std::move(call));
        return S_OK;
    }
};
}  // namespace

void InstallDragImageRecorder() {
    static Recorder recorder;
    DWORD cookie = 0;
    CoRegisterClassObject(CLSID_DragDropHelper, static_cast<IClassFactory*>(&recorder), CLSCTX_INPROC_SERVER,
                          REGCLS_MULTIPLEUSE, &cookie);
}

std::vector<std::string>& DragImageCalls() {
    static std::vector<std::string> calls;
    return calls;
}
