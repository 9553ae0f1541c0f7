// Feeds arbitrary bytes to the dropped file list parser as a CF_HDROP block of exactly that
// size, under a single-byte and a double-byte code page. What it reads must fit the block, and
// a wide list must read the same when written out again.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "shell/DropList.h"
#include "support/Cp932TestCodePage.h"

namespace {

bool ToLatin1(const std::wstring& text, std::string& bytes) {
    bytes.clear();
    for (wchar_t c : text) bytes.push_back(static_cast<char>(c));
    return true;
}

std::wstring FromLatin1(const std::string& bytes) {
    std::wstring text;
    for (char b : bytes) text.push_back(static_cast<wchar_t>(static_cast<unsigned char>(b)));
    return text;
}

std::vector<std::uint8_t> WideList(const std::vector<std::wstring>& paths) {
    std::vector<std::uint8_t> block(varolin::kDropListHeaderBytes, 0);
    block[0] = static_cast<std::uint8_t>(varolin::kDropListHeaderBytes);
    block[16] = 1;
    for (const std::wstring& path : paths)
        for (wchar_t c : path + L'\0') block.insert(block.end(), {std::uint8_t(c), std::uint8_t(c >> 8)});
    block.insert(block.end(), {0, 0});
    return block;
}

void Check(const std::uint8_t* data, size_t size, const varolin::AnsiCodePage& codePage) {
    const auto paths = varolin::ParseDropList(data, size, codePage);
    if (!paths) return;
    if (size < varolin::kDropListHeaderBytes) std::abort();
    const bool wide = (data[16] | data[17] | data[18] | data[19]) != 0;
    std::size_t units = 0;
    for (const std::wstring& path : *paths) {
        if (path.empty() || path.find(L'\0') != std::wstring::npos) std::abort();
        if (wide) units += path.size() + 1;
    }
    if (wide) {
        // Every name with its NUL, and the closing NUL, lie inside the block.
        if (varolin::kDropListHeaderBytes + 2 * (units + 1) > size) std::abort();
        const std::vector<std::uint8_t> again = WideList(*paths);
        if (varolin::ParseDropList(again.data(), again.size(), codePage) != paths) std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    // libFuzzer hands over a heap block of exactly `size` bytes: a read past it is caught.
    Check(data, size, varolin::AnsiCodePage{ToLatin1, FromLatin1});
    Check(data, size, cp932_test::CodePage());
    return 0;
}
