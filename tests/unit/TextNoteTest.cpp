#include "buttons/TextNote.h"

#include <gtest/gtest.h>

#include <algorithm>

using varolin::DialogFilter;
using varolin::FormatNoteEntry;
using varolin::NoteTime;
using varolin::TextFromBlock;

TEST(TextNote, EntryIsHeaderTextAndTwoLineEnds) {
    const NoteTime sunday{2001, 1, 14, 0, 10, 42};
    EXPECT_EQ(FormatNoteEntry("memo", sunday), "*** 01/01/14 Sun 10:42 ***\r\n\r\nmemo\r\n\r\n");
    // A final line break of the text stays, then the two pairs follow.
    EXPECT_EQ(FormatNoteEntry("a\r\n", sunday), "*** 01/01/14 Sun 10:42 ***\r\n\r\na\r\n\r\n\r\n");
    EXPECT_EQ(FormatNoteEntry("", sunday), "*** 01/01/14 Sun 10:42 ***\r\n\r\n\r\n\r\n");
    // Double-byte text goes out byte for byte, also a trail byte that looks like a backslash.
    const std::string sjis = "\x95\x5C\x83\x5C\x0A";
    EXPECT_EQ(FormatNoteEntry(sjis, sunday).substr(30), sjis + "\r\n\r\n");
}

TEST(TextNote, HeaderFieldsAreTwoDigitsAndEnglishDays) {
    const char* names[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    for (int day = 0; day < 7; ++day) {
        const std::string entry = FormatNoteEntry("", NoteTime{2024, 12, 1 + day, day, 0, 5});
        EXPECT_EQ(entry.substr(0, 26), std::string("*** 24/12/0") + char('1' + day) + " " + names[day] + " 00:05 ***");
    }
    EXPECT_EQ(FormatNoteEntry("", NoteTime{2100, 2, 28, 0, 23, 59}).substr(0, 26), "*** 00/02/28 Sun 23:59 ***");
}

TEST(TextNote, DroppedTextEndsAtNulOrAtTheBlock) {
    const char terminated[] = "abc\0def";
    EXPECT_EQ(TextFromBlock(terminated, sizeof terminated), "abc");
    // No terminating zero: the block's end is the text's end.
    const char unterminated[] = {'x', 'y', 'z'};
    EXPECT_EQ(TextFromBlock(unterminated, sizeof unterminated), "xyz");
    EXPECT_EQ(TextFromBlock(unterminated, 0), "");
    EXPECT_EQ(TextFromBlock(nullptr, 10), "");
}

TEST(TextNote, FilterBecomesNulSeparatedWithDoubleEnd) {
    const std::wstring filter = DialogFilter(L"TXTﾌｧｲﾙ (*.txt)|*.txt||");
    const std::wstring expected(L"TXTﾌｧｲﾙ (*.txt)\0*.txt\0\0", 23);
    ASSERT_GE(filter.size(), expected.size());
    EXPECT_EQ(filter.substr(0, expected.size()), expected);
    // A text that lost its closing bars still ends the list.
    const std::wstring cut = DialogFilter(L"All|*.*");
    EXPECT_EQ(cut.substr(cut.size() - 2), std::wstring(2, L'\0'));
}

namespace {
// A file in memory whose writes fail once `room` bytes have gone in, as on a full disk.
class SmallDisk : public varolin::AppendTarget {
public:
    SmallDisk(std::string content, std::size_t room, std::size_t chunk) : m_content(std::move(content)), m_room(room), m_chunk(chunk) {}
    bool SeekEnd(std::uint64_t& size) override {
        size = m_content.size();
        return true;
    }
    bool Write(const char* bytes, std::size_t size, std::size_t& written) override {
        written = std::min({size, m_chunk, m_room});
        m_content.append(bytes, written);
        m_room -= written;
        return written > 0 || m_chunk == 0;  // a stuck disk may claim success
    }
    bool Truncate(std::uint64_t size) override {
        m_content.resize(size);
        return true;
    }
    std::string m_content;

private:
    std::size_t m_room, m_chunk;
};
}  // namespace

TEST(TextNote, AFailedWriteLeavesNoHalfEntry) {
    SmallDisk roomy("old\r\n", 1000, 7);
    EXPECT_TRUE(varolin::AppendWhole(roomy, "entry in several writes"));
    EXPECT_EQ(roomy.m_content, "old\r\nentry in several writes");

    SmallDisk full("old\r\n", 10, 4);
    EXPECT_FALSE(varolin::AppendWhole(full, "entry that does not fit"));
    EXPECT_EQ(full.m_content, "old\r\n");

    SmallDisk stuck("old", 1000, 0);
    EXPECT_FALSE(varolin::AppendWhole(stuck, "x"));
    EXPECT_EQ(stuck.m_content, "old");
}
