#include "pages/PageLayout.h"

#include "appbar/Dpi.h"

namespace varolin {

std::vector<ButtonPlace> LayoutButtonPlaces(int width, int height, std::size_t count, int dpi) {
    std::vector<ButtonPlace> places;
    if (count == 0) return places;
    const int n = static_cast<int>(count);
    const bool row = width >= height;
    const int span = row ? width : height;
    const int gap = ScaleForDpi(2, dpi);
    int length = (span - gap * (n - 1)) / n;
    if (length < 0) length = 0;
    places.reserve(count);
    for (int i = 0; i < n; ++i) {
        const int offset = i * (length + gap);
        places.push_back(row ? ButtonPlace{offset, 0, length, height} : ButtonPlace{0, offset, width, length});
    }
    return places;
}

}  // namespace varolin
