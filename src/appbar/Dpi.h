#pragma once
// Sizes in code are 96-DPI values, scaled to the DPI in force where they are used; stored sizes
// keep the units they were taken in and are converted when the DPI differs. Portable. It lives
// in the lowest layer that needs it, so every layer above can use the same rounding.
namespace varolin {

inline constexpr int kDefaultDpi = 96;

// `value` taken at `fromDpi`, expressed at `toDpi`: rounded half away from zero as the system's
// MulDiv rounds, clamped to int. A DPI below 1 leaves the value as it is.
int ConvertDpi(int value, int fromDpi, int toDpi);

// A 96-DPI size at `dpi`.
inline int ScaleForDpi(int value, int dpi) { return ConvertDpi(value, kDefaultDpi, dpi); }

}  // namespace varolin
