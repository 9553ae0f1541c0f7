#pragma once
// Conversions through an ANSI code page, handed to portable code so that it can be tested with
// any code page. The program passes the system's (SystemAnsiCodePage, Win32 only).
#include <functional>
#include <string>

namespace varolin {

struct AnsiCodePage {
    // Fills `bytes` with the ANSI form of `text` (unmappable characters replaced) and answers
    // whether every character had one.
    std::function<bool(const std::wstring& text, std::string& bytes)> toAnsi;
    std::function<std::wstring(const std::string& bytes)> toWide;
};

// True when `text` has an ANSI form that converts back to exactly `text`. The round trip also
// catches "best fit" replacements (a yen sign turned into a backslash, say), which the
// conversion itself does not report as lossy.
inline bool ToAnsiExact(const AnsiCodePage& codePage, const std::wstring& text, std::string& bytes) {
    if (!codePage.toAnsi(text, bytes)) return false;
    return codePage.toWide(bytes) == text;
}

// Length of the ANSI form in bytes (a double-byte character counts two).
inline size_t AnsiByteCount(const AnsiCodePage& codePage, const std::wstring& text) {
    std::string bytes;
    codePage.toAnsi(text, bytes);
    return bytes.size();
}

// The longest start of `text` whose ANSI form is at most `maxBytes` long, ending at a
// character boundary: a double-byte character or a surrogate pair is never split.
std::wstring CutToAnsiBytes(const AnsiCodePage& codePage, const std::wstring& text, size_t maxBytes);

}  // namespace varolin
