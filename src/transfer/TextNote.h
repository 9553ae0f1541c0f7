#pragma once
// Notes made from dropped text: what one dropped piece of text adds to its file. Portable.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace varolin {

// A local date and time as the note header shows it.
struct NoteTime {
    int year = 2000;
    int month = 1;      // 1..12
    int day = 1;        // 1..31
    int dayOfWeek = 0;  // 0 Sunday .. 6 Saturday
    int hour = 0;
    int minute = 0;
};

// One entry, byte for byte: "*** yy/mm/dd Day HH:MM ***" CR LF CR LF, the text as it is,
// CR LF CR LF. The day name is English whatever the locale.
std::string FormatNoteEntry(std::string_view text, const NoteTime& time);

// The file an entry is appended to, opened by the caller. Other programs may write to it
// meanwhile.
class AppendTarget {
public:
    virtual ~AppendTarget() = default;
    // The file's size now.
    virtual bool Size(std::uint64_t& size) = 0;
    // Writes some of the bytes at the file's end, wherever other writers have left it;
    // `written` tells how many.
    virtual bool Append(const char* bytes, std::size_t size, std::size_t& written) = 0;
    // Cuts the file to `size` bytes.
    virtual bool Truncate(std::uint64_t size) = 0;
};

// Appends the whole entry at the end of the file. When a write fails (a full disk), false is
// returned and the part written is cut off again, so no half entry stays behind; but only while
// nothing but that part lies beyond the old end: another writer's bytes are never cut.
bool AppendWhole(AppendTarget& file, std::string_view entry);

// Dropped ANSI text: the bytes up to the first NUL, and never past the block.
std::string TextFromBlock(const char* block, std::size_t size);

// A string-table filter ("Text (*.txt)|*.txt||") in the form file dialogs take: each "|"
// becomes a NUL, so the closing "||" ends the list with two of them.
std::wstring DialogFilter(std::wstring tableText);

}  // namespace varolin
