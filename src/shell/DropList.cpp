#include "shell/DropList.h"

namespace varolin {

namespace {
std::uint32_t ReadU32(const std::uint8_t* at) {
    return static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8 |
           static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}
}  // namespace

std::optional<std::vector<std::wstring>> ParseDropList(const std::uint8_t* block, std::size_t size,
                                                       const AnsiCodePage& ansi) {
    if (!block || size < kDropListHeaderBytes) return std::nullopt;
    const std::size_t names = ReadU32(block);
    const bool wide = ReadU32(block + 16) != 0;
    if (names < kDropListHeaderBytes || names >= size) return std::nullopt;
    const std::size_t unit = wide ? 2 : 1;
    std::vector<std::wstring> paths;
    std::wstring wideName;
    std::string ansiName;
    for (std::size_t at = names; at + unit <= size; at += unit) {
        const unsigned c = wide ? block[at] | block[at + 1] << 8 : block[at];
        if (c != 0) {
            if (wide) wideName.push_back(static_cast<wchar_t>(c));
            else ansiName.push_back(static_cast<char>(c));
            continue;
        }
        if (wideName.empty() && ansiName.empty()) return paths;  // the empty name ends the list
        paths.push_back(wide ? std::move(wideName) : ansi.toWide(ansiName));
        wideName.clear();
        ansiName.clear();
    }
    return std::nullopt;
}

}  // namespace varolin
