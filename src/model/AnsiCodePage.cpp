#include "model/AnsiCodePage.h"

#include <vector>

namespace varolin {

std::wstring CutToAnsiBytes(const AnsiCodePage& codePage, const std::wstring& text, size_t maxBytes) {
    if (AnsiByteCount(codePage, text) <= maxBytes) return text;
    // Where a character ends; a pair of UTF-16 surrogates is one character.
    std::vector<size_t> ends;
    for (size_t i = 0; i < text.size(); ++i) {
        const bool pairStart = text[i] >= 0xD800 && text[i] < 0xDC00 && i + 1 < text.size() &&
                               text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000;
        if (pairStart) ++i;
        ends.push_back(i + 1);
    }
    // The whole text's count is taken for each candidate, as the sheet takes it: a replacement
    // or a shift need not be the sum of the characters' own counts. Longer starts never count
    // fewer bytes, so the longest that fits is found by halving.
    size_t fits = 0, over = ends.size();  // ends[over - 1] is the whole text, known to be over
    while (over - fits > 1) {
        const size_t middle = fits + (over - fits) / 2;
        if (AnsiByteCount(codePage, text.substr(0, ends[middle - 1])) <= maxBytes)
            fits = middle;
        else
            over = middle;
    }
    return fits == 0 ? std::wstring() : text.substr(0, ends[fits - 1]);
}

}  // namespace varolin
