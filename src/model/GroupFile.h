#pragma once
// One page's group file "GRP%03d.VRL" in the program directory: reading it when the page is
// made and writing it whole after every change.
#include <windows.h>

#include <span>
#include <string>
#include <vector>

#include "model/ButtonRecord.h"

class GroupFile {
public:
    // `appDir` is the program directory (g_strAppDir); the name is formed once, here.
    GroupFile(const std::wstring& appDir, int page);

    // The page's buttons in display order. A missing or unreadable file gives an empty page
    // without a word. A record of another schema shows the unknown-schema message (owned by
    // `owner`) and comes back with empty fields; a damaged file gives the buttons before the
    // damage.
    std::vector<varolin::ButtonRecord> Load(HWND owner) const;

    // Writes the whole page, or deletes the file when the page is empty. The new bytes go to
    // a temporary file beside it, which replaces the page file only once completely written:
    // on any failure the old file stays as it was, the cannot-save message is shown and the
    // result is false.
    bool Save(HWND owner, std::span<const varolin::ButtonRecord> records) const;

private:
    std::wstring m_strPath;
};
