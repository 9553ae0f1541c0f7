#include "shell/DropList.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using varolin::DropListIsWellFormed;
using Bytes = std::vector<std::uint8_t>;

namespace {
Bytes Header(std::uint32_t namesAt, bool wide) {
    Bytes bytes(20, 0);
    bytes[0] = static_cast<std::uint8_t>(namesAt);
    bytes[1] = static_cast<std::uint8_t>(namesAt >> 8);
    bytes[16] = wide ? 1 : 0;
    return bytes;
}

Bytes WideList(const std::vector<std::u16string>& names, bool closed = true) {
    Bytes bytes = Header(20, true);
    for (const std::u16string& name : names) {
        for (char16_t c : name) {
            bytes.push_back(static_cast<std::uint8_t>(c));
            bytes.push_back(static_cast<std::uint8_t>(c >> 8));
        }
        bytes.insert(bytes.end(), {0, 0});
    }
    if (closed) bytes.insert(bytes.end(), {0, 0});
    return bytes;
}

bool Check(const Bytes& bytes) { return DropListIsWellFormed(bytes.data(), bytes.size()); }
}  // namespace

TEST(DropList, AcceptsClosedListsOfBothWidths) {
    EXPECT_TRUE(Check(WideList({u"C:\\a.txt", u"C:\\\u0100b"})));
    EXPECT_TRUE(Check(WideList({})));  // an empty list
    // A character whose bytes include zero is not a terminator.
    EXPECT_TRUE(Check(WideList({u"\u0100\u0001"})));

    Bytes ansi = Header(20, false);
    for (char c : std::string("C:\\x.txt")) ansi.push_back(static_cast<std::uint8_t>(c));
    ansi.insert(ansi.end(), {0, 0});
    EXPECT_TRUE(Check(ansi));
    ansi.pop_back();
    EXPECT_FALSE(Check(ansi));
}

TEST(DropList, RejectsListsThatRunOffTheBlock) {
    EXPECT_FALSE(Check(WideList({u"C:\\a.txt"}, false)));
    Bytes halfTerminator = WideList({u"C:\\a.txt"}, false);
    halfTerminator.push_back(0);
    EXPECT_FALSE(Check(halfTerminator));
    EXPECT_FALSE(Check(Bytes(19, 0)));
    EXPECT_FALSE(DropListIsWellFormed(nullptr, 40));
    // Names beyond the block, inside the header, or at an offset far out.
    for (auto [at, value] : {std::pair{0, 200}, std::pair{0, 4}, std::pair{3, 0x80}}) {
        Bytes bad = WideList({u"a"});
        bad[at] = static_cast<std::uint8_t>(value);
        EXPECT_FALSE(Check(bad)) << at << " " << value;
    }
}
