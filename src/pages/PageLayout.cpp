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

int StepFocus(int current, int count, bool row, FocusKey key) {
    if (count <= 0) return -1;
    if (key == FocusKey::End) return count - 1;
    if (current < 0 || current >= count || key == FocusKey::Home) return 0;
    const bool back = row ? key == FocusKey::Left : key == FocusKey::Up;
    const bool ahead = row ? key == FocusKey::Right : key == FocusKey::Down;
    if (back && current > 0) return current - 1;
    if (ahead && current + 1 < count) return current + 1;
    return current;
}

}  // namespace varolin
