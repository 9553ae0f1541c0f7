#pragma once
// Icons of files as the shell shows them.
#include <windows.h>

#include <string>

// The icon the shell shows for a file, exactly `size` pixels square; nullptr when it has none.
HICON LoadFileIcon(const std::wstring& path, int size);
