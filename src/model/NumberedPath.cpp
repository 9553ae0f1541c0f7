#include "model/NumberedPath.h"

#include <algorithm>
#include <climits>

#include "settings/PathUtil.h"
#include "settings/SettingsRecords.h"

namespace varolin {
namespace {

bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }

// Cuts `text` to at most `length` code units without leaving half a surrogate pair.
void CutTo(std::wstring& text, std::size_t length) {
    if (text.size() <= length) return;
    text.resize(length);
    if (!text.empty() && IsHighSurrogate(text.back())) text.pop_back();
}

}  // namespace

std::wstring FormatRenameNumber(int format, int number) {
    format = RenameFormatInUse(format);
    const bool padded = format == 0 || format == 2;
    const bool parenthesised = format == 2 || format == 3;
    // As printf's "%04d": the sign counts towards the width of four.
    const bool negative = number < 0;
    std::wstring digits = std::to_wstring(negative ? -static_cast<long long>(number) : number);
    const std::size_t width = negative ? 3 : 4;
    if (padded && digits.size() < width) digits.insert(0, width - digits.size(), L'0');
    if (negative) digits.insert(0, 1, L'-');
    return parenthesised ? L"(" + digits + L")" : L"_" + digits;
}

std::wstring MakeNumberedPath(const std::wstring& path, int format, RenameCounter& counter) {
    return MakeNumberedPath(path, format, counter.Next());
}

std::wstring MakeNumberedPath(const std::wstring& path, int format, int counterValue) {
    PathParts parts = SplitPathParts(path);
    const std::wstring number = FormatRenameNumber(format, counterValue);

    const std::size_t fixedName = number.size() + parts.ext.size();
    const std::size_t fixedPath = parts.drive.size() + parts.dir.size() + fixedName;
    const std::size_t pathLimit = std::max(kMaxPathChars, path.size());
    const std::size_t byName = kMaxFileNameChars > fixedName ? kMaxFileNameChars - fixedName : 0;
    const std::size_t byPath = pathLimit > fixedPath ? pathLimit - fixedPath : 0;
    // When even an empty base name cannot fit, the candidate stays over the limit and the copy
    // reports the system's error; the number is never cut, so candidates never repeat.
    CutTo(parts.fname, std::min(byName, byPath));

    return parts.drive + parts.dir + parts.fname + number + parts.ext;
}

}  // namespace varolin
