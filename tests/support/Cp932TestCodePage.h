#pragma once
// A stand-in for code page 932 that knows ASCII and the few double-byte characters the tests
// use. Like the real conversion, it maps the yen sign to a
// backslash ("best fit") without calling that lossy.
#include <cstdint>
#include <string>
#include <utility>

#include "model/AnsiCodePage.h"

namespace cp932_test {

struct DoubleByte {
    wchar_t wide;
    std::uint8_t lead, trail;
};

inline constexpr DoubleByte kTable[] = {
    {L'\x30C7', 0x83, 0x66},  // デ
    {L'\x30FC', 0x81, 0x5B},  // ー
    {L'\x30BF', 0x83, 0x5E},  // タ
    {L'\x8868', 0x95, 0x5C},  // 表 (trail byte is a backslash)
    {L'\x30FB', 0x81, 0x45},  // ・ (what unknown bytes become)
};

inline bool IsLeadByte(std::uint8_t b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

inline bool ToAnsi(const std::wstring& text, std::string& bytes) {
    bytes.clear();
    bool exact = true;
    for (wchar_t c : text) {
        if (c < 0x80) {
            bytes.push_back(static_cast<char>(c));
        } else if (c == L'\x00A5') {
            bytes.push_back('\\');  // best fit: not reported
        } else {
            bool found = false;
            for (const DoubleByte& d : kTable) {
                if (d.wide == c) {
                    bytes.push_back(static_cast<char>(d.lead));
                    bytes.push_back(static_cast<char>(d.trail));
                    found = true;
                    break;
                }
            }
            if (!found) {
                bytes.push_back('?');
                exact = false;
            }
        }
    }
    return exact;
}

inline std::wstring ToWide(const std::string& bytes) {
    std::wstring text;
    for (size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<std::uint8_t>(bytes[i]);
        if (b < 0x80) {
            text.push_back(static_cast<wchar_t>(b));
        } else if (IsLeadByte(b) && i + 1 < bytes.size()) {
            const auto trail = static_cast<std::uint8_t>(bytes[++i]);
            wchar_t c = L'\x30FB';
            for (const DoubleByte& d : kTable)
                if (d.lead == b && d.trail == trail) c = d.wide;
            text.push_back(c);
        } else {
            text.push_back(L'\x30FB');
        }
    }
    return text;
}

inline varolin::AnsiCodePage CodePage() { return {ToAnsi, ToWide}; }

}  // namespace cp932_test
