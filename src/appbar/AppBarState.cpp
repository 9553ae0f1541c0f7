#include "appbar/AppBarState.h"

#include <algorithm>
#include <climits>

#include "appbar/Dpi.h"

namespace varolin {

namespace {

constexpr std::size_t kFieldCount = AppBarState::kSize / 4;

// The record as its twelve 32-bit fields, in stored order.
std::array<std::uint32_t, kFieldCount> ToFields(const AppBarState& s) {
    auto u = [](std::int32_t v) { return static_cast<std::uint32_t>(v); };
    return {s.cbSize, u(static_cast<std::int32_t>(s.nEdge)), u(s.bAutoHide), u(s.bAlwaysOnTop),
            u(s.anDockSize[0]), u(s.anDockSize[1]), u(s.anDockSize[2]), u(s.anDockSize[3]),
            u(s.rcFloat.left), u(s.rcFloat.top), u(s.rcFloat.right), u(s.rcFloat.bottom)};
}

AppBarState FromFields(const std::array<std::uint32_t, kFieldCount>& f) {
    auto i = [](std::uint32_t v) { return static_cast<std::int32_t>(v); };
    AppBarState s;
    s.cbSize = f[0];
    s.nEdge = static_cast<Edge>(i(f[1]));
    s.bAutoHide = i(f[2]);
    s.bAlwaysOnTop = i(f[3]);
    for (std::size_t k = 0; k < 4; ++k) s.anDockSize[k] = i(f[4 + k]);
    s.rcFloat = Rect{i(f[8]), i(f[9]), i(f[10]), i(f[11])};
    return s;
}

}  // namespace

std::array<std::uint8_t, AppBarState::kSize> EncodeAppBarState(const AppBarState& state) {
    std::array<std::uint8_t, AppBarState::kSize> bytes{};
    const auto fields = ToFields(state);
    for (std::size_t k = 0; k < kFieldCount; ++k) {
        for (std::size_t b = 0; b < 4; ++b) {
            bytes[k * 4 + b] = static_cast<std::uint8_t>(fields[k] >> (8 * b));
        }
    }
    return bytes;
}

AppBarState DecodeAppBarState(std::span<const std::uint8_t, AppBarState::kSize> bytes) {
    std::array<std::uint32_t, kFieldCount> fields{};
    for (std::size_t k = 0; k < kFieldCount; ++k) {
        const std::uint8_t* p = &bytes[k * 4];
        fields[k] = static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
                    static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
    }
    return FromFields(fields);
}

AppBarState MergeAppBarState(const AppBarState& current, const AppBarState& rec) {
    auto merged = EncodeAppBarState(current);
    const auto recBytes = EncodeAppBarState(rec);
    const std::size_t n = std::min<std::size_t>(rec.cbSize, AppBarState::kSize);
    std::copy_n(recBytes.begin(), n, merged.begin());
    AppBarState result = DecodeAppBarState(merged);
    result.cbSize = AppBarState::kSize;
    return result;
}

AppBarState ConvertAppBarStateDpi(const AppBarState& state, int fromDpi, int toDpi) {
    // Nothing to convert: even a damaged rectangle wider than an int reads back as stored.
    if (fromDpi == toDpi || fromDpi < 1 || toDpi < 1) return state;
    AppBarState converted = state;
    for (std::int32_t& size : converted.anDockSize) size = ConvertDpi(size, fromDpi, toDpi);
    Rect& rc = converted.rcFloat;
    auto end = [](int start, int length) {
        return static_cast<int>(std::clamp<long long>(static_cast<long long>(start) + length, INT_MIN, INT_MAX));
    };
    rc.right = end(rc.left, ConvertDpi(state.rcFloat.Width(), fromDpi, toDpi));
    rc.bottom = end(rc.top, ConvertDpi(state.rcFloat.Height(), fromDpi, toDpi));
    return converted;
}

}  // namespace varolin
