#include "transfer/TextNote.h"

#include <cstdio>
#include <cstring>

namespace varolin {

namespace {
// The C library's default locale names, which the note files have always carried.
constexpr const char* kDayNames[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

int TwoDigits(int value) { return ((value % 100) + 100) % 100; }
}  // namespace

std::string FormatNoteEntry(std::string_view text, const NoteTime& time) {
    const int day = time.dayOfWeek >= 0 && time.dayOfWeek < 7 ? time.dayOfWeek : 0;
    char header[64];
    const int length = std::snprintf(header, sizeof header, "*** %02d/%02d/%02d %s %02d:%02d ***\r\n\r\n",
                                     TwoDigits(time.year), TwoDigits(time.month), TwoDigits(time.day),
                                     kDayNames[day], TwoDigits(time.hour), TwoDigits(time.minute));
    std::string entry;
    entry.reserve(static_cast<std::size_t>(length) + text.size() + 4);
    entry.append(header, static_cast<std::size_t>(length));
    entry.append(text);
    entry.append("\r\n\r\n");
    return entry;
}

bool AppendWhole(AppendTarget& file, std::string_view entry) {
    std::uint64_t end = 0;
    if (!file.Size(end)) return false;
    std::size_t done = 0;
    while (done < entry.size()) {
        std::size_t written = 0;
        // A write that moves nothing counts as failed, so the loop always ends.
        if (!file.Append(entry.data() + done, entry.size() - done, written) || written == 0 ||
            written > entry.size() - done) {
            // Beyond the old end lies exactly what this entry wrote, or someone else wrote too.
            const std::size_t ours = done + (written <= entry.size() - done ? written : 0);
            std::uint64_t now = 0;
            if (file.Size(now) && now == end + ours) file.Truncate(end);
            return false;
        }
        done += written;
    }
    return true;
}

std::string TextFromBlock(const char* block, std::size_t size) {
    if (!block) return {};
    const void* nul = std::memchr(block, 0, size);
    return std::string(block, nul ? static_cast<const char*>(nul) - block : size);
}

std::wstring DialogFilter(std::wstring tableText) {
    for (wchar_t& c : tableText)
        if (c == L'|') c = L'\0';
    // A table text without the closing "||" still ends the list.
    tableText.append(2, L'\0');
    return tableText;
}

}  // namespace varolin
