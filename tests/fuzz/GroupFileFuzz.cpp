// Feeds arbitrary bytes to the group file reader. Whatever it reads must fit the input, and
// must write and read back unchanged, under a single-byte and a double-byte code page.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "support/Cp932TestCodePage.h"
#include "model/GroupCodec.h"

namespace {

bool ToLatin1(const std::wstring& text, std::string& bytes) {
    bytes.clear();
    bool exact = true;
    for (wchar_t c : text) {
        exact = exact && static_cast<std::uint32_t>(c) < 0x100;
        bytes.push_back(static_cast<char>(c));
    }
    return exact;
}

std::wstring FromLatin1(const std::string& bytes) {
    std::wstring text;
    for (char b : bytes) text.push_back(static_cast<wchar_t>(static_cast<unsigned char>(b)));
    return text;
}

void Check(const std::uint8_t* data, size_t size, const varolin::AnsiCodePage& codePage) {
    const varolin::GroupFileContents contents = varolin::DecodeGroupFile({data, size}, codePage);
    if (contents.records.size() > size / 2) std::abort();  // every entry takes two bytes at least
    const std::vector<std::uint8_t> bytes = varolin::EncodeGroupFile(contents.records, codePage);
    const varolin::GroupFileContents again = varolin::DecodeGroupFile(bytes, codePage);
    if (again.damaged || again.unknownSchema || again.records != contents.records) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    Check(data, size, varolin::AnsiCodePage{ToLatin1, FromLatin1});
    Check(data, size, cp932_test::CodePage());
    return 0;
}
