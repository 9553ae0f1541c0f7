#include "pages/PageLayout.h"

namespace varolin {

std::vector<ButtonPlace> LayoutButtonPlaces(int width, int height, std::size_t count) {
    std::vector<ButtonPlace> places;
    if (count == 0) return places;
    const int n = static_cast<int>(count);
    const bool row = width >= height;
    const int span = row ? width : height;
    int length = (span - 2 * n + 2) / n;
    if (length < 0) length = 0;
    places.reserve(count);
    for (int i = 0; i < n; ++i) {
        const int offset = i * (length + 2);
        places.push_back(row ? ButtonPlace{offset, 0, length, height} : ButtonPlace{0, offset, width, length});
    }
    return places;
}

}  // namespace varolin
