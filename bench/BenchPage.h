#pragma once
// The page the group-file benchmarks load and save: `count` buttons with realistic strings,
// some with a program, every tenth refusing drops. Portable.
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "model/ButtonRecord.h"

namespace bench {

// `folderRoot` ends in a backslash; button i gets the folder folderRoot + "Folder NNNN\".
inline std::vector<varolin::ButtonRecord> MakePage(size_t count, const std::wstring& folderRoot) {
    std::vector<varolin::ButtonRecord> page;
    page.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        wchar_t name[32];
        std::swprintf(name, 32, L"Folder %04u", static_cast<unsigned>(i));
        varolin::ButtonRecord record;
        record.m_strFolder = folderRoot + name + L"\\";
        record.m_strTitle = std::wstring(name) + L" (project files)";
        if (i % 4 == 0) record.m_strProgram = L"tool.exe";
        record.m_crText = 0x000000;
        record.m_crBack = 0xC0FFFF - static_cast<std::uint32_t>(i);
        record.m_bNoDrop = i % 10 == 9 ? 1 : 0;
        page.push_back(std::move(record));
    }
    return page;
}

}  // namespace bench
