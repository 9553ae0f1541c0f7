#pragma once
// How a page arranges and reorders its buttons. Portable.
#include <cstddef>
#include <functional>
#include <vector>

namespace varolin {

struct ButtonPlace {
    int x, y, width, height;
    bool operator==(const ButtonPlace&) const = default;
};

// Places n buttons edge to edge in a row (width >= height) or a column, with gaps of 2 pixels
// at 96 DPI scaled to `dpi`. Lengths truncate, so up to n - 1 pixels stay empty at the far end;
// a length the gaps leave no room for is taken as zero.
std::vector<ButtonPlace> LayoutButtonPlaces(int width, int height, std::size_t count, int dpi);

// The keys that move the focus among a page's buttons.
enum class FocusKey { Left, Right, Up, Down, Home, End };

// Where the focus goes from button `current` of `count` laid out in a row (`row`) or a column:
// the arrows along the layout step one place and stop at the ends, those across it stay put;
// Home and End go to the ends. A current index out of range counts as none, from which every
// key but End goes to the first button. -1 when there is no button.
int StepFocus(int current, int count, bool row, FocusKey key);

// Moves the item at `index` one place earlier (or later); the first item stays first, the
// last stays last. Returns false when the index is out of range.
template <typename T>
bool MoveOnePlace(std::vector<T>& items, std::size_t index, bool earlier) {
    if (index >= items.size()) return false;
    if (earlier && index > 0) std::swap(items[index - 1], items[index]);
    if (!earlier && index + 1 < items.size()) std::swap(items[index], items[index + 1]);
    return true;
}

// Selection sort that keeps equal items in their order: for each position the first of the
// smallest remaining items is taken out and put there.
template <typename T>
void StableSelectionSort(std::vector<T>& items, const std::function<bool(const T&, const T&)>& less) {
    for (std::size_t i = 0; i + 1 < items.size(); ++i) {
        std::size_t smallest = i;
        for (std::size_t j = i + 1; j < items.size(); ++j)
            if (less(items[j], items[smallest])) smallest = j;
        if (smallest == i) continue;
        T moved = std::move(items[smallest]);
        items.erase(items.begin() + static_cast<std::ptrdiff_t>(smallest));
        items.insert(items.begin() + static_cast<std::ptrdiff_t>(i), std::move(moved));
    }
}

}  // namespace varolin
