#include "model/GroupCodec.h"

#include <stdexcept>

#include "model/ByteStream.h"

namespace varolin {
namespace {

constexpr std::uint16_t kNewClassTag = 0xFFFF;
constexpr std::uint16_t kBigTag = 0x7FFF;
constexpr std::uint16_t kClassTagBit = 0x8000;
constexpr std::uint32_t kBigClassTagBit = 0x80000000;
constexpr std::uint16_t kSchema = 1;
constexpr char kClassName[] = "CDropBtn";
constexpr std::uint16_t kMaxClassNameLength = 64;
constexpr std::uint16_t kUtf16Marker = 0xFFFE;

// wchar_t is UTF-16 on Windows and UTF-32 elsewhere; the file always holds UTF-16.
std::vector<std::uint16_t> ToUtf16(const std::wstring& text) {
    std::vector<std::uint16_t> units;
    units.reserve(text.size());
    for (wchar_t c : text) {
        const auto code = static_cast<std::uint32_t>(c);
        if (code > 0xFFFF) {
            units.push_back(static_cast<std::uint16_t>(0xD800 + ((code - 0x10000) >> 10)));
            units.push_back(static_cast<std::uint16_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
        } else {
            units.push_back(static_cast<std::uint16_t>(code));
        }
    }
    return units;
}

std::wstring FromUtf16(const std::vector<std::uint16_t>& units) {
    std::wstring text;
    text.reserve(units.size());
    for (size_t i = 0; i < units.size(); ++i) {
        const std::uint32_t unit = units[i];
        const bool pair = sizeof(wchar_t) > 2 && unit >= 0xD800 && unit < 0xDC00 && i + 1 < units.size() &&
                          units[i + 1] >= 0xDC00 && units[i + 1] < 0xE000;
        if (pair) {
            text.push_back(static_cast<wchar_t>(0x10000 + ((unit - 0xD800) << 10) + (units[i + 1] - 0xDC00)));
            ++i;
        } else {
            text.push_back(static_cast<wchar_t>(unit));  // lone surrogates are kept as they are
        }
    }
    return text;
}

void WriteLength(ByteWriter& out, size_t length) {
    if (length < 0xFF) {
        out.WriteByte(static_cast<std::uint8_t>(length));
    } else if (length < 0xFFFE) {
        out.WriteByte(0xFF);
        out.WriteWord(static_cast<std::uint16_t>(length));
    } else {
        if (length > 0xFFFFFFFEu) throw std::length_error("group file string too long");
        out.WriteByte(0xFF);
        out.WriteWord(0xFFFF);
        out.WriteDword(static_cast<std::uint32_t>(length));
    }
}

void WriteString(ByteWriter& out, const AnsiCodePage& codePage, const std::wstring& text) {
    std::string ansi;
    if (ToAnsiExact(codePage, text, ansi)) {
        WriteLength(out, ansi.size());
        out.WriteBytes(ansi);
        return;
    }
    const std::vector<std::uint16_t> units = ToUtf16(text);
    out.WriteByte(0xFF);
    out.WriteWord(kUtf16Marker);
    WriteLength(out, units.size());
    for (std::uint16_t unit : units) out.WriteWord(unit);
}

// A length prefix after its first byte 0xFF; the caller has handled the UTF-16 marker.
bool ReadLongLength(ByteReader& in, std::uint16_t word, std::uint32_t& length) {
    if (word != 0xFFFF) {
        length = word;
        return true;
    }
    return in.ReadDword(length);
}

bool ReadString(ByteReader& in, const AnsiCodePage& codePage, std::wstring& text) {
    std::uint8_t byte = 0;
    if (!in.ReadByte(byte)) return false;
    if (byte < 0xFF) {
        std::string ansi;
        if (!in.ReadBytes(byte, ansi)) return false;
        text = codePage.toWide(ansi);
        return true;
    }
    std::uint16_t word = 0;
    if (!in.ReadWord(word)) return false;
    if (word != kUtf16Marker) {
        std::uint32_t length = 0;
        std::string ansi;
        if (!ReadLongLength(in, word, length) || !in.ReadBytes(length, ansi)) return false;
        text = codePage.toWide(ansi);
        return true;
    }
    // UTF-16: the length again, in characters (code units).
    std::uint32_t length = 0;
    if (!in.ReadByte(byte)) return false;
    if (byte < 0xFF) {
        length = byte;
    } else if (!in.ReadWord(word) || !ReadLongLength(in, word, length)) {
        return false;
    }
    if (in.Remaining() / 2 < length) return false;
    std::vector<std::uint16_t> units(length);
    for (std::uint16_t& unit : units) {
        if (!in.ReadWord(unit)) return false;
    }
    text = FromUtf16(units);
    return true;
}

bool ReadRecord(ByteReader& in, const AnsiCodePage& codePage, ButtonRecord& record) {
    std::uint32_t noDrop = 0;
    const bool ok = ReadString(in, codePage, record.m_strProgram) && ReadString(in, codePage, record.m_strFolder) &&
                    ReadString(in, codePage, record.m_strTitle) && in.ReadDword(record.m_crText) &&
                    in.ReadDword(record.m_crBack) && in.ReadDword(noDrop);
    record.m_bNoDrop = static_cast<int>(noDrop);
    return ok;
}

// Classes and objects are numbered from 1 in the order they appear; tags refer to classes by
// that number. Only one class exists, but a file may describe it more than once.
struct TableEntry {
    bool isClass = false;
    std::uint16_t schema = 0;
};

// Reads one entry's tag (and class description) and answers the schema of its class.
bool ReadEntryHeader(ByteReader& in, std::vector<TableEntry>& table, std::uint16_t& schema) {
    std::uint16_t tag = 0;
    if (!in.ReadWord(tag)) return false;
    std::uint32_t classIndex = 0;
    if (tag == kNewClassTag) {
        std::uint16_t nameLength = 0;
        std::string name;
        if (!in.ReadWord(schema) || !in.ReadWord(nameLength) || nameLength >= kMaxClassNameLength ||
            !in.ReadBytes(nameLength, name) || name != kClassName)
            return false;
        table.push_back({true, schema});
        return true;
    }
    if (tag == kBigTag) {
        std::uint32_t bigTag = 0;
        if (!in.ReadDword(bigTag) || !(bigTag & kBigClassTagBit)) return false;
        classIndex = bigTag & ~kBigClassTagBit;
    } else if (tag & kClassTagBit) {
        classIndex = tag & ~kClassTagBit;
    } else {
        return false;  // no object, or a second reference to a button already read
    }
    if (classIndex == 0 || classIndex >= table.size() || !table[classIndex].isClass) return false;
    schema = table[classIndex].schema;
    return true;
}

}  // namespace

std::vector<std::uint8_t> EncodeGroupFile(std::span<const ButtonRecord> records, const AnsiCodePage& codePage) {
    ByteWriter out;
    if (records.size() < 0xFFFF) {
        out.WriteWord(static_cast<std::uint16_t>(records.size()));
    } else {
        if (records.size() > 0xFFFFFFFFu) throw std::length_error("too many buttons");
        out.WriteWord(0xFFFF);
        out.WriteDword(static_cast<std::uint32_t>(records.size()));
    }
    bool first = true;
    for (const ButtonRecord& record : records) {
        if (first) {
            out.WriteWord(kNewClassTag);
            out.WriteWord(kSchema);
            out.WriteWord(static_cast<std::uint16_t>(sizeof(kClassName) - 1));
            out.WriteBytes(kClassName);
            first = false;
        } else {
            out.WriteWord(static_cast<std::uint16_t>(kClassTagBit | 1));  // the class, index 1
        }
        WriteString(out, codePage, record.m_strProgram);
        WriteString(out, codePage, record.m_strFolder);
        WriteString(out, codePage, record.m_strTitle);
        out.WriteDword(record.m_crText);
        out.WriteDword(record.m_crBack);
        out.WriteDword(static_cast<std::uint32_t>(record.m_bNoDrop));
    }
    return out.Take();
}

GroupFileContents DecodeGroupFile(std::span<const std::uint8_t> bytes, const AnsiCodePage& codePage) {
    GroupFileContents contents;
    ByteReader in(bytes);
    std::uint16_t shortCount = 0;
    std::uint32_t count = 0;
    if (!in.ReadWord(shortCount) || (shortCount == 0xFFFF && !in.ReadDword(count))) {
        contents.damaged = true;
        return contents;
    }
    if (shortCount != 0xFFFF) count = shortCount;

    // Every entry takes at least two bytes, so the loop ends with the data whatever the count.
    std::vector<TableEntry> table(1);  // index 0: no object
    for (std::uint32_t i = 0; i < count; ++i) {
        std::uint16_t schema = 0;
        if (!ReadEntryHeader(in, table, schema)) {
            contents.damaged = true;
            break;
        }
        table.push_back({false, 0});
        ButtonRecord record;
        if (schema != kSchema) {
            contents.records.push_back(record);
            contents.unknownSchema = true;
            contents.damaged = i + 1 < count;
            break;
        }
        if (!ReadRecord(in, codePage, record)) {
            contents.damaged = true;
            break;
        }
        contents.records.push_back(std::move(record));
    }
    return contents;
}

std::wstring GroupFileName(int page) {
    std::wstring digits = std::to_wstring(page);
    if (page >= 0 && digits.size() < 3) digits.insert(0, 3 - digits.size(), L'0');
    return L"GRP" + digits + L".VRL";
}

}  // namespace varolin
