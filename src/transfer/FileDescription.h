#pragma once
// The text that the same-name dialog shows for each of the two files. Portable: no <windows.h>.
#include <cstdint>
#include <initializer_list>
#include <string>

namespace varolin {

// A file's modification time in local time, as calendar fields.
struct LocalTimeFields {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

// Fills a printf-style format that holds integer conversions only ("%d", "%4d", "%02d", "%%")
// with `values` in order. Formats come from the string table, so nothing is trusted: any other
// conversion is copied literally, and a conversion without a value prints nothing.
std::wstring FormatIntegers(const std::wstring& format, std::initializer_list<long long> values);

// `format` takes size, year, month, day, hour, minute and second, in this order.
std::wstring DescribeFileText(const std::wstring& format, std::uint64_t size, const LocalTimeFields& time);

// The same description with the figures already written out in the user's locale: the format's
// first line keeps its label (the text before its first conversion) followed by `size`, the
// second its label followed by `date` and `time`; the rest of the format is not used.
std::wstring DescribeFileWithLabels(const std::wstring& format, const std::wstring& size, const std::wstring& date,
                                    const std::wstring& time);

}  // namespace varolin
