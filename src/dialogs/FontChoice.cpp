#include "dialogs/FontChoice.h"

#include <climits>

namespace varolin {

int StyleOfFont(int weight, bool italic) {
    if (weight >= kWeightBold) return italic ? kStyleBoldItalic : kStyleBold;
    return italic ? kStyleItalic : kStyleRegular;
}

int StyleBitsOfTrueType(std::uint32_t ntmFlags) {
    int bits = 0;
    if (!(ntmFlags & (kStyleBold | kStyleItalic))) bits |= kStyleRegular;
    if (ntmFlags & kStyleItalic) bits |= kStyleItalic;
    if (ntmFlags & kStyleBold) bits |= kStyleBold;
    return bits;
}

int StyleBitsOfFont(int weight, bool italic) {
    if (weight >= kWeightBold) return italic ? kStyleBoldItalic : kStyleBold;
    return italic ? kStyleItalic : kStyleRegular;
}

std::vector<int> OfferedStyles(int stylesFound) {
    if (stylesFound & kStyleRegular) return {kStyleRegular, kStyleBold, kStyleItalic, kStyleBoldItalic};
    std::vector<int> styles;
    if (stylesFound & kStyleBold) styles.push_back(kStyleBold);
    if (stylesFound & kStyleItalic) styles.push_back(kStyleItalic);
    if (stylesFound & (kStyleBold | kStyleItalic)) styles.push_back(kStyleBoldItalic);
    return styles;
}

int SizeInsertPosition(const std::vector<int>& heights, int height) {
    for (std::size_t i = 0; i < heights.size(); ++i) {
        if (heights[i] == height) return -1;
        if (height > 0 ? heights[i] > height : heights[i] < height) return static_cast<int>(i);
    }
    return static_cast<int>(heights.size());
}

int LeadingInt(const std::wstring& text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == L' ' || (text[i] >= L'\t' && text[i] <= L'\r'))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
    long long value = 0;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        value = value * 10 + (text[i] - L'0');
        if (value > INT_MAX) value = static_cast<long long>(INT_MAX) + 1;  // stays out of range
    }
    if (negative) value = -value;
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

bool IsValidPointSize(const std::wstring& text) {
    const int points = LeadingInt(text);
    return points >= kMinPointSize && points <= kMaxPointSize;
}

long long RoundedPoints(long long currencyUnits) {
    if (currencyUnits > LLONG_MAX - 5000) return LLONG_MAX / 10000;
    // Floor of (units + 0.5 point): halves go up for negative values too.
    const long long shifted = currencyUnits + 5000;
    long long quotient = shifted / 10000;
    if (shifted % 10000 != 0 && shifted < 0) --quotient;
    return quotient;
}

}  // namespace varolin
