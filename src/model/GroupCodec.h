#pragma once
// The bytes of a group file (one page of folder buttons) and back. Portable.
//
// Layout: a count (word, or 0xFFFF and a double word), then per button a tag and its record.
// The first tag is 0xFFFF with the class description (schema word, name length, "CDropBtn");
// later ones are 0x8001, a reference to that class. A record is three strings and three
// double words. A string is its length prefix (byte; 0xFF + word; 0xFF 0xFFFF + double word)
// and its ANSI bytes, or 0xFF 0xFFFE, the prefix again and UTF-16LE code units.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "model/ButtonRecord.h"
#include "model/AnsiCodePage.h"

namespace varolin {

struct GroupFileContents {
    // The buttons read, in display order. A record of an unknown schema is included with its
    // fields left empty; reading ends there, because its length is not known.
    std::vector<ButtonRecord> records;
    bool unknownSchema = false;
    // Reading stopped before the stated count: the records read before the damage are kept.
    bool damaged = false;
};

// Strings the code page represents exactly are written in ANSI, others as UTF-16, so nothing
// is lost; a page of ANSI-representable strings gives the classic bytes exactly.
std::vector<std::uint8_t> EncodeGroupFile(std::span<const ButtonRecord> records, const AnsiCodePage& codePage);

// Never reads outside `bytes` and never allocates more than what the bytes can hold.
GroupFileContents DecodeGroupFile(std::span<const std::uint8_t> bytes, const AnsiCodePage& codePage);

// "GRP000.VRL" for page 0; 1000 and more simply take more digits.
std::wstring GroupFileName(int page);

}  // namespace varolin
