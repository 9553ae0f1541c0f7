#include "transfer/FileDescription.h"

#include <cstddef>

namespace varolin {
namespace {

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// Widths beyond this are a broken format, not a layout.
constexpr std::size_t kMaxWidth = 64;

std::wstring Pad(long long value, std::size_t width, bool zeros) {
    const bool negative = value < 0;
    // Through unsigned arithmetic so that the most negative value has a magnitude too.
    const unsigned long long magnitude =
        negative ? 0ULL - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
    std::wstring digits = std::to_wstring(magnitude);
    const std::size_t length = digits.size() + (negative ? 1 : 0);
    const std::size_t fill = width > length ? width - length : 0;
    if (zeros) return (negative ? L"-" : L"") + std::wstring(fill, L'0') + digits;
    return std::wstring(fill, L' ') + (negative ? L"-" : L"") + digits;
}

}  // namespace

std::wstring FormatIntegers(const std::wstring& format, std::initializer_list<long long> values) {
    std::wstring out;
    const long long* next = values.begin();
    std::size_t i = 0;
    while (i < format.size()) {
        if (format[i] != L'%') {
            out += format[i++];
            continue;
        }
        if (i + 1 < format.size() && format[i + 1] == L'%') {
            out += L'%';
            i += 2;
            continue;
        }
        std::size_t j = i + 1;
        const bool zeros = j < format.size() && format[j] == L'0';
        if (zeros) ++j;
        std::size_t width = 0;
        while (j < format.size() && IsDigit(format[j])) {
            if (width <= kMaxWidth) width = width * 10 + static_cast<std::size_t>(format[j] - L'0');
            ++j;
        }
        if (j >= format.size() || format[j] != L'd' || width > kMaxWidth) {
            out += format[i++];  // not ours: keep the text as it stands
            continue;
        }
        if (next != values.end()) out += Pad(*next++, width, zeros);
        i = j + 1;
    }
    return out;
}

std::wstring DescribeFileText(const std::wstring& format, std::uint64_t size, const LocalTimeFields& time) {
    // Sizes past the signed range do not occur on any file system; clamp rather than wrap.
    const long long shownSize = size > static_cast<std::uint64_t>(INT64_MAX) ? INT64_MAX : static_cast<long long>(size);
    return FormatIntegers(format, {shownSize, time.year, time.month, time.day, time.hour, time.minute, time.second});
}

std::wstring DescribeFileWithLabels(const std::wstring& format, const std::wstring& size, const std::wstring& date,
                                    const std::wstring& time) {
    const std::size_t lineEnd = format.find(L'\n');
    const std::wstring first = format.substr(0, lineEnd);
    const std::wstring second = lineEnd == std::wstring::npos ? std::wstring{} : format.substr(lineEnd + 1);
    const auto label = [](const std::wstring& line) { return line.substr(0, line.find(L'%')); };
    return label(first) + size + L"\n" + label(second) + date + L" " + time;
}

}  // namespace varolin
