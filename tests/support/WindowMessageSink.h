#pragma once
// Lets the simulated shell deliver a bar's callback messages to its real window.
#include <windows.h>

#include "support/SimulatedShell.h"

inline varolin::SimulatedShell::NotifySink WindowMessageSink() {
    return [](std::uintptr_t window, unsigned message, std::uintptr_t code, std::intptr_t lParam) {
        SendMessageW(reinterpret_cast<HWND>(window), message, code, lParam);
    };
}
