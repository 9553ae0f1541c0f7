#include "model/GroupCodec.h"

#include <gtest/gtest.h>

#include "support/Cp932TestCodePage.h"
#include "support/ExampleGroupFile.h"

using namespace varolin;

namespace {

using Bytes = std::vector<std::uint8_t>;
using example_group_file::kFirstRecordEnd;

const AnsiCodePage kCp932 = cp932_test::CodePage();
const Bytes& kExample = example_group_file::kBytes;
constexpr size_t kFirstHeader = 2 + 14;  // count and class description

Bytes Encode(const std::vector<ButtonRecord>& records) { return EncodeGroupFile(records, kCp932); }
GroupFileContents Decode(const Bytes& bytes) { return DecodeGroupFile(bytes, kCp932); }

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

Bytes Slice(const Bytes& bytes, size_t from, size_t to) { return Bytes(bytes.begin() + from, bytes.begin() + to); }

const Bytes kFirstEntry = Slice(kExample, 2, kFirstRecordEnd);  // class description + first record
const Bytes kSecondEntry = Slice(kExample, kFirstRecordEnd, kExample.size());
const Bytes kSecondRecord = Slice(kExample, kFirstRecordEnd + 2, kExample.size());

}  // namespace

TEST(GroupCodec, ClassicExampleLoadsAndSavesByteForByte) {
    const GroupFileContents contents = Decode(kExample);
    EXPECT_FALSE(contents.damaged);
    EXPECT_FALSE(contents.unknownSchema);
    EXPECT_EQ(contents.records, example_group_file::kRecords);
    EXPECT_EQ(Encode(contents.records), kExample);

    const GroupFileContents empty = Decode({0x00, 0x00});
    EXPECT_TRUE(empty.records.empty());
    EXPECT_FALSE(empty.damaged);
    EXPECT_EQ(Encode({}), (Bytes{0x00, 0x00}));
}

TEST(GroupCodec, StringPrefixesAtEachBoundary) {
    struct Case {
        size_t length;
        wchar_t fill;  // 'f' has an ANSI form; 한 has none and goes as UTF-16
        Bytes prefix;
    };
    const Case cases[] = {
        {0, L'f', {0x00}},
        {254, L'f', {0xFE}},
        {255, L'f', {0xFF, 0xFF, 0x00}},
        {65533, L'f', {0xFF, 0xFD, 0xFF}},
        {65534, L'f', {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {254, L'\xD55C', {0xFF, 0xFE, 0xFF, 0xFE}},
        {255, L'\xD55C', {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0x00}},
        {65534, L'\xD55C', {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.length << " of " << int(c.fill));
        const ButtonRecord record{L"", std::wstring(c.length, c.fill), L"t", 0, 0, 0};
        const Bytes bytes = Encode({record});
        const size_t at = kFirstHeader + 1;  // after the empty program
        const size_t stringBytes = c.length * (c.fill == L'f' ? 1 : 2);
        EXPECT_EQ(Slice(bytes, at, at + c.prefix.size()), c.prefix);
        EXPECT_EQ(bytes.size(), at + c.prefix.size() + stringBytes + 2 + 12);
        EXPECT_EQ(Decode(bytes).records, std::vector{record});
    }
}

TEST(GroupCodec, JapaneseIsWrittenInCp932AndOtherScriptsAsUtf16) {
    const std::vector<ButtonRecord> records = {
        {L"", L"C:\\\x8868\\", L"\x30C7\x30FC\x30BF", 0, 0, 0},  // C:\表\ "データ"
        {L"", L"C:\\k\\", L"\xD55C\xAD6D", 0, 0, 0},             // "한국"
        {L"", L"C:\\y\\", L"\x00A5" L"100", 0, 0, 0},            // yen sign: best fit would make it "\100"
    };
    const Bytes bytes = Encode(records);
    const Bytes japanese = {0x00, 0x06, 0x43, 0x3A, 0x5C, 0x95, 0x5C, 0x5C, 0x06, 0x83, 0x66, 0x81, 0x5B, 0x83, 0x5E};
    EXPECT_EQ(Slice(bytes, kFirstHeader, kFirstHeader + japanese.size()), japanese);
    // The others survive only in the UTF-16 form.
    EXPECT_EQ(Decode(bytes).records, records);
}

TEST(GroupCodec, CountsFrom65535UseTheDoubleWordForm) {
    for (size_t n : {size_t{65534}, size_t{65535}}) {
        SCOPED_TRACE(n);
        const std::vector<ButtonRecord> records(n, ButtonRecord{L"", L"C:\\", L"C:", 0, 0, 0});
        const Bytes bytes = Encode(records);
        const Bytes head = n == 65534 ? Bytes{0xFE, 0xFF, 0xFF, 0xFF} : Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0xFF, 0xFF};
        EXPECT_EQ(Slice(bytes, 0, head.size()), head);
        EXPECT_EQ(Decode(bytes).records.size(), n);
    }
}

TEST(GroupCodecDamaged, TheButtonsBeforeTheDamageAreKept) {
    const std::vector<ButtonRecord>& both = example_group_file::kRecords;
    const std::vector<ButtonRecord> first{both[0]}, none;
    const Bytes oneButton = Concat({{0x01, 0x00}, Slice(kExample, 2, kFirstHeader)});
    const Bytes rest = Slice(kExample, kFirstHeader, kExample.size());
    const auto tagged = [&](const Bytes& tag) { return Concat({{0x02, 0x00}, kFirstEntry, tag, kSecondRecord}); };
    const auto named = [&](const Bytes& classHeader) { return Concat({{0x02, 0x00}, classHeader, rest}); };
    struct Case {
        const char* what;
        Bytes input;
        std::vector<ButtonRecord> kept;
        bool damaged = true;
        bool unknownSchema = false;
    };
    const Case cases[] = {
        {"count above the data", Concat({{0xFE, 0xFF}, kFirstEntry, kSecondEntry}), both},
        {"long count above the data", Concat({{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, kFirstEntry, kSecondEntry}), both},
        {"long count missing", {0xFF, 0xFF, 0x01}, none},
        {"ANSI string of 4 GB", Concat({oneButton, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}}), none},
        {"UTF-16 string of 2 G", Concat({oneButton, {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}}), none},
        {"UTF-16 string short", Concat({oneButton, {0xFF, 0xFE, 0xFF, 0x03, 0x41, 0x00, 0x42, 0x00}}), none},
        {"ANSI string short", Concat({oneButton, {0x05, 0x41}}), none},
        {"other class", named({0xFF, 0xFF, 0x01, 0x00, 0x08, 0x00, 'C', 'D', 'r', 'o', 'p', 'B', 't', 'X'}), none},
        {"class in lower case", named({0xFF, 0xFF, 0x01, 0x00, 0x08, 0x00, 'c', 'd', 'r', 'o', 'p', 'b', 't', 'n'}), none},
        {"class name cut", named({0xFF, 0xFF, 0x01, 0x00, 0x07, 0x00, 'C', 'D', 'r', 'o', 'p', 'B', 't'}), none},
        {"class name too long", named({0xFF, 0xFF, 0x01, 0x00, 0x40, 0x00, 'C', 'D', 'r', 'o', 'p', 'B', 't', 'n'}), none},
        {"class never described", tagged({0x05, 0x80}), first},
        {"index of a button", tagged({0x02, 0x80}), first},
        {"index 0 (no object)", tagged({0x00, 0x80}), first},
        {"second reference", tagged({0x02, 0x00}), first},
        {"null object", tagged({0x00, 0x00}), first},
        {"long tag without class bit", tagged({0xFF, 0x7F, 0x01, 0x00, 0x00, 0x00}), first},
        {"long tag, unknown class", tagged({0xFF, 0x7F, 0x09, 0x00, 0x00, 0x80}), first},
        {"long tag, good (never written)", tagged({0xFF, 0x7F, 0x01, 0x00, 0x00, 0x80}), both, false},
        // A record of another schema comes back empty, and nothing after it can be placed.
        {"schema 2 first", Concat({Slice(kExample, 0, 4), {0x02}, Slice(kExample, 5, kExample.size())}),
         {ButtonRecord{}}, true, true},
        {"schema 2 second", Concat({{0x02, 0x00}, kFirstEntry, Slice(kExample, 2, 4), {0x02, 0x00},
                                    Slice(kExample, 6, 16), kSecondRecord}),
         {both[0], ButtonRecord{}}, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const GroupFileContents contents = Decode(c.input);
        EXPECT_EQ(contents.records, c.kept);
        EXPECT_EQ(contents.damaged, c.damaged);
        EXPECT_EQ(contents.unknownSchema, c.unknownSchema);
    }
    // Cut anywhere: the complete records stay.
    for (size_t n = 0; n < kExample.size(); ++n) {
        SCOPED_TRACE(n);
        const GroupFileContents contents = Decode(Slice(kExample, 0, n));
        EXPECT_TRUE(contents.damaged);
        EXPECT_EQ(contents.records, n >= kFirstRecordEnd ? first : none);
    }
}
