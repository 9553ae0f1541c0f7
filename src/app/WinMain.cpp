#include <windows.h>

#include "app/BarApp.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    CBarApp app;
    return RunApplication(app);
}
