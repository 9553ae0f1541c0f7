#pragma once
// Numbered names for a dropped file whose name is already taken in the target folder.
// Portable: no <windows.h>.
#include <cstddef>
#include <string>

#include "settings/SettingsRecords.h"

namespace varolin {

// The system's limits: one name component, and a whole path in its long form ("\\?\", which
// every file call on a dropped or target path takes) less its terminating zero.
constexpr std::size_t kMaxFileNameChars = 255;
constexpr std::size_t kMaxPathChars = 32766;

// The number text for "RenameFormat" `format`: 0 "_%04d", 1 "_%d", 2 "(%04d)", 3 "(%d)". A
// format outside 0..3 gives format 0, so that a candidate always differs from its path.
std::wstring FormatRenameNumber(int format, int number);

// The next candidate for `path`: the number text goes between the base name and the extension
// (the last dot of the name on), splitting as the C runtime does. When the candidate would pass
// the file-name or the path limit, the base name is shortened to fit.
std::wstring MakeNumberedPath(const std::wstring& path, int format, RenameCounter& counter);
// The same with a number already taken from the counter.
std::wstring MakeNumberedPath(const std::wstring& path, int format, int counterValue);

}  // namespace varolin
