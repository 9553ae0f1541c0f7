#pragma once
// Stands in for the shell's drag-image helper in this process, which Wine does not draw, so
// that tests can see what the drop targets hand it. Installed once, before the first drag.
#include <windows.h>

#include <string>
#include <vector>

void InstallDragImageRecorder();
// The calls made so far, as "enter <hwnd> <effect>", "over <effect>", "leave", "drop <effect>".
std::vector<std::string>& DragImageCalls();
