#include "transfer/TextNote.h"

#include <gtest/gtest.h>

#include <algorithm>

using varolin::FormatNoteEntry;
using varolin::NoteTime;

TEST(TextNote, EntryIsHeaderTextAndTwoLineEnds) {
    const NoteTime sunday{2001, 1, 14, 0, 10, 42};
    EXPECT_EQ(FormatNoteEntry("memo", sunday), "*** 01/01/14 Sun 10:42 ***\r\n\r\nmemo\r\n\r\n");
    // A final line break of the text stays, then the two pairs follow.
    EXPECT_EQ(FormatNoteEntry("a\r\n", sunday), "*** 01/01/14 Sun 10:42 ***\r\n\r\na\r\n\r\n\r\n");
    // Double-byte text goes out byte for byte, also a trail byte that looks like a backslash.
    const std::string sjis = "\x95\x5C\x83\x5C\x0A";
    EXPECT_EQ(FormatNoteEntry(sjis, sunday).substr(30), sjis + "\r\n\r\n");
    // Fields of two digits, English day names.
    const char* names[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    for (int day = 0; day < 7; ++day)
        EXPECT_EQ(FormatNoteEntry("", NoteTime{2024, 12, 1 + day, day, 0, 5}).substr(0, 26),
                  std::string("*** 24/12/0") + char('1' + day) + " " + names[day] + " 00:05 ***");
    EXPECT_EQ(FormatNoteEntry("", NoteTime{2100, 2, 28, 0, 23, 59}).substr(0, 26), "*** 00/02/28 Sun 23:59 ***");
}

TEST(TextNote, DroppedTextEndsAtNulOrAtTheBlock) {
    const char terminated[] = "abc\0def";
    EXPECT_EQ(varolin::TextFromBlock(terminated, sizeof terminated), "abc");
    const char unterminated[] = {'x', 'y', 'z'};
    EXPECT_EQ(varolin::TextFromBlock(unterminated, sizeof unterminated), "xyz");
    EXPECT_EQ(varolin::TextFromBlock(nullptr, 10), "");
}

TEST(TextNote, FilterBecomesNulSeparatedWithDoubleEnd) {
    EXPECT_EQ(varolin::DialogFilter(L"TXT (*.txt)|*.txt||").substr(0, 19), std::wstring(L"TXT (*.txt)\0*.txt\0\0", 19));
    // A text that lost its closing bars still ends the list.
    const std::wstring cut = varolin::DialogFilter(L"All|*.*");
    EXPECT_EQ(cut.substr(cut.size() - 2), std::wstring(2, L'\0'));
}

namespace {
// A file in memory whose writes fail once `room` bytes have gone in, as on a full disk. Another
// program appends `other` once this one's first write is in.
struct SmallDisk : varolin::AppendTarget {
    SmallDisk(std::string content, std::size_t room, std::size_t chunk, std::string other = "")
        : content(std::move(content)), room(room), chunk(chunk), other(std::move(other)) {}
    bool Size(std::uint64_t& size) override {
        size = content.size();
        return true;
    }
    bool Append(const char* bytes, std::size_t size, std::size_t& written) override {
        written = std::min({size, chunk, room});
        content.append(bytes, written);
        room -= written;
        content += other;
        other.clear();
        return written > 0 || chunk == 0;  // a stuck disk may claim success
    }
    bool Truncate(std::uint64_t size) override {
        content.resize(size);
        return true;
    }
    std::string content;
    std::size_t room, chunk;
    std::string other;
};
}  // namespace

TEST(TextNote, AFailedWriteLeavesNoHalfEntryAndCutsNoOtherWritersBytes) {
    SmallDisk roomy("old\r\n", 1000, 7), full("old\r\n", 10, 4), stuck("old", 1000, 0);
    EXPECT_TRUE(varolin::AppendWhole(roomy, "entry in several writes"));
    EXPECT_EQ(roomy.content, "old\r\nentry in several writes");
    EXPECT_FALSE(varolin::AppendWhole(full, "entry that does not fit"));
    EXPECT_EQ(full.content, "old\r\n");
    EXPECT_FALSE(varolin::AppendWhole(stuck, "x"));
    EXPECT_EQ(stuck.content, "old");
    // What another program appended between two writes stays, and the half entry with it.
    SmallDisk shared("old|", 12, 4, "other|");
    EXPECT_FALSE(varolin::AppendWhole(shared, "entry that does not fit"));
    EXPECT_EQ(shared.content, "old|entrother|y that d");
}
