#pragma once
// The font page's rules that need no window: style codes, which styles a face offers, the
// order of the size list and how typed sizes are read. Portable: no <windows.h>.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace varolin {

// Style codes: the bits of the text metrics' ntmFlags.
inline constexpr int kStyleItalic = 0x01;
inline constexpr int kStyleBold = 0x20;
inline constexpr int kStyleRegular = 0x40;
inline constexpr int kStyleBoldItalic = kStyleBold | kStyleItalic;

inline constexpr int kWeightNormal = 400;
inline constexpr int kWeightBold = 700;

// The style a font's weight and italic flag describe.
int StyleOfFont(int weight, bool italic);
inline int WeightOfStyle(int style) { return (style & kStyleBold) ? kWeightBold : kWeightNormal; }
inline bool IsItalicStyle(int style) { return (style & kStyleItalic) != 0; }

// Style bits found for one enumerated font of a family: a TrueType font by its ntmFlags,
// any other by its weight and italic flag.
int StyleBitsOfTrueType(std::uint32_t ntmFlags);
int StyleBitsOfFont(int weight, bool italic);

// The styles to offer for the bits found in a family, in the order regular, bold, italic,
// bold italic: all four when the face has a regular style, else the ones its bits allow.
std::vector<int> OfferedStyles(int stylesFound);

// Points offered for every scalable face.
inline constexpr std::array<int, 16> kStandardSizes = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};

// Where a size of the given font height goes in a list of heights kept small to large:
// positive heights (cell heights) grow, negative ones (character heights) shrink. -1 when
// the height is already listed.
int SizeInsertPosition(const std::vector<int>& heights, int height);

// Typed sizes are limited to 1..1638 points when the size box is left.
inline constexpr int kMinPointSize = 1;
inline constexpr int kMaxPointSize = 1638;
inline constexpr int kFallbackPointSize = 10;
// Reads a number as the C runtime's atoi does (leading blanks, a sign, digits up to the
// first other character; none gives 0), saturating instead of overflowing.
int LeadingInt(const std::wstring& text);
bool IsValidPointSize(const std::wstring& text);

// Whole points from a currency value (units of 1/10000), halves rounded up.
long long RoundedPoints(long long currencyUnits);

}  // namespace varolin
