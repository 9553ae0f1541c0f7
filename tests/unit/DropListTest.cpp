#include "shell/DropList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/Cp932TestCodePage.h"

using Bytes = std::vector<std::uint8_t>;
using Paths = std::vector<std::wstring>;

namespace {
// A list of UTF-16 names (units spelled out, so it means the same where wchar_t is 32 bits),
// closed by an empty name unless `closed` is false.
Bytes WideList(const std::vector<std::u16string>& names, bool closed = true) {
    Bytes bytes(20, 0);
    bytes[0] = 20;
    bytes[16] = 1;
    for (const std::u16string& name : names)
        for (char16_t c : name + u'\0') bytes.insert(bytes.end(), {std::uint8_t(c), std::uint8_t(c >> 8)});
    if (closed) bytes.insert(bytes.end(), {0, 0});
    return bytes;
}

std::optional<Paths> Parse(const Bytes& bytes) {
    return varolin::ParseDropList(bytes.data(), bytes.size(), cp932_test::CodePage());
}
}  // namespace

TEST(DropList, PathsComeInDropOrderAtFullLength) {
    const std::u16string longPath = u"C:\\" + std::u16string(400, u'x');
    EXPECT_EQ(Parse(WideList({u"C:\\a.txt", longPath, u"\u0100\u0001"})),
              (Paths{L"C:\\a.txt", L"C:\\" + std::wstring(400, L'x'), {wchar_t(0x100), wchar_t(1)}}));
    EXPECT_EQ(Parse(WideList({})), Paths{});  // an empty list

    // ANSI names go through the code page: 表 ends in a byte that looks like a backslash.
    Bytes ansi(20, 0);
    ansi[0] = 20;
    for (char c : std::string("C:\\\x95\x5C.txt")) ansi.push_back(static_cast<std::uint8_t>(c));
    ansi.insert(ansi.end(), {0, 0});
    EXPECT_EQ(Parse(ansi), Paths{L"C:\\\x8868.txt"});
    ansi.pop_back();
    EXPECT_EQ(Parse(ansi), std::nullopt);
}

TEST(DropList, ListsThatRunOffTheBlockAreNotRead) {
    Bytes open = WideList({u"C:\\a.txt"}, false);
    EXPECT_EQ(Parse(open), std::nullopt);
    open.push_back(0);  // half a terminator
    EXPECT_EQ(Parse(open), std::nullopt);
    EXPECT_EQ(Parse(Bytes(19, 0)), std::nullopt);
    // Names beyond the block, inside the header, or at an offset far out.
    for (auto [at, value] : {std::pair{0, 200}, std::pair{0, 4}, std::pair{3, 0x80}}) {
        Bytes bad = WideList({u"a"});
        bad[at] = static_cast<std::uint8_t>(value);
        EXPECT_EQ(Parse(bad), std::nullopt) << at << " " << value;
    }
}
