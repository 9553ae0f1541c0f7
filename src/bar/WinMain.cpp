#include <windows.h>

#include "bar/BarApp.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    CBarApp app;
    return RunApplication(app);
}
