#include "appbar/Dpi.h"

#include <algorithm>
#include <climits>

namespace varolin {

int ConvertDpi(int value, int fromDpi, int toDpi) {
    if (fromDpi < 1 || toDpi < 1 || fromDpi == toDpi) return value;
    const long long product = static_cast<long long>(value) * toDpi;
    const long long half = fromDpi / 2;
    const long long result = product >= 0 ? (product + half) / fromDpi : (product - half) / fromDpi;
    return static_cast<int>(std::clamp<long long>(result, INT_MIN, INT_MAX));
}

}  // namespace varolin
