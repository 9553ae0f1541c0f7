#include "framework/CommonDialogs.h"

namespace {

struct CommonDialogFunctions {
    decltype(&::GetOpenFileNameW) open = nullptr;
    decltype(&::GetSaveFileNameW) save = nullptr;
    decltype(&::ChooseColorW) color = nullptr;
};

template <typename Function>
Function Lookup(HMODULE module, const char* name) {
    // Through a pointer to a function without parameters, which the compilers take as "any".
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

const CommonDialogFunctions& Functions() {
    // Loaded at the first dialog and kept for the next. Only from the system directory: the
    // program's own folder is writable by the user.
    static const CommonDialogFunctions functions = [] {
        CommonDialogFunctions found;
        if (HMODULE module = LoadLibraryExW(L"comdlg32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) {
            found.open = Lookup<decltype(found.open)>(module, "GetOpenFileNameW");
            found.save = Lookup<decltype(found.save)>(module, "GetSaveFileNameW");
            found.color = Lookup<decltype(found.color)>(module, "ChooseColorW");
        }
        return found;
    }();
    return functions;
}

}  // namespace

BOOL ShowOpenFileDialog(OPENFILENAMEW* ofn) {
    const auto open = Functions().open;
    return open ? open(ofn) : FALSE;
}

BOOL ShowSaveFileDialog(OPENFILENAMEW* ofn) {
    const auto save = Functions().save;
    return save ? save(ofn) : FALSE;
}

BOOL ShowColorDialog(CHOOSECOLORW* choose) {
    const auto color = Functions().color;
    return color ? color(choose) : FALSE;
}
