#include "shell/FileIcon.h"

#include <shellapi.h>
#include <shlobj.h>

#include "framework/Handles.h"

HICON LoadFileIcon(const std::wstring& path, int size) {
    // From the file that holds the icon, at the size asked: the best of its images, not a
    // small one stretched. A program holds its own; other files name where theirs is.
    const UINT sizes = MAKELONG(size, size);
    HICON icon = nullptr;
    if (SHDefExtractIconW(path.c_str(), 0, 0, &icon, nullptr, sizes) == S_OK && icon) return icon;
    SHFILEINFOW info{};
    if (SHGetFileInfoW(path.c_str(), 0, &info, sizeof info, SHGFI_ICONLOCATION) && info.szDisplayName[0] &&
        SHDefExtractIconW(info.szDisplayName, info.iIcon, 0, &icon, nullptr, sizes) == S_OK && icon)
        return icon;
    // Icons the shell makes itself: its large one, brought down to the size.
    SHFILEINFOW large{};
    if (!SHGetFileInfoW(path.c_str(), 0, &large, sizeof large, SHGFI_ICON | SHGFI_LARGEICON) || !large.hIcon)
        return nullptr;
    const OwnedIcon owned(large.hIcon);
    return static_cast<HICON>(CopyImage(owned.Get(), IMAGE_ICON, size, size, 0));
}
