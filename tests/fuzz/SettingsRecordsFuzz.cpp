// Feeds arbitrary bytes as each binary settings value read from the registry ("LogFont",
// "AppBarState", "AppBarDpi", "AppBarMonitor"). A value that cannot be right reads as missing;
// one that is read stays within its bytes and writes back as it was.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "settings/SettingsRecords.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void CheckLogFont(const Bytes& value) {
    const varolin::LogFontRecord font = varolin::LogFontFromStored(&value);
    if (value.size() > varolin::kLogFontSize) {
        if (!(font == varolin::LogFontRecord::Default())) std::abort();
        return;
    }
    const auto face = std::find(font.lfFaceName.begin(), font.lfFaceName.end(), '\0');
    if (face == font.lfFaceName.end()) std::abort();  // a reader of the face name would run on
    const auto bytes = font.ToBytes();
    const bool terminated = value.size() == varolin::kLogFontSize &&
                            std::find(value.begin() + 28, value.end(), 0) != value.end();
    if (terminated && !std::equal(value.begin(), value.end(), bytes.begin())) std::abort();
}

void CheckAppBarState(const Bytes& value, int storedDpi) {
    varolin::AppBarState defaults;
    defaults.anDockSize[1] = 40;
    defaults.rcFloat = varolin::Rect{10, 10, 400, 60};
    for (int dpi : {24, 96, 144, 2400}) {
        const varolin::AppBarState state = varolin::AppBarStateFromStored(defaults, &value, storedDpi, dpi);
        if (value.size() > varolin::AppBarState::kSize && !(state == defaults)) std::abort();
    }
    if (value.size() > varolin::AppBarState::kSize) return;
    // At the DPI it was stored at, the value reads back byte for byte.
    const auto same = varolin::EncodeAppBarState(varolin::AppBarStateFromStored(defaults, &value, storedDpi, storedDpi));
    if (!std::equal(value.begin(), value.end(), same.begin())) std::abort();
}

int CheckAppBarDpi(const Bytes& value) {
    // The record's own copy as the state, so that the fuzzer reaches records that match.
    const Bytes state(value.begin() + std::min<std::size_t>(value.size(), 4), value.end());
    const int dpi = varolin::StoredAppBarDpi(&state, &value);
    if (dpi != varolin::kDefaultDpi && (dpi < 24 || dpi > 2400 || value.size() != varolin::kAppBarDpiSize)) std::abort();
    if (varolin::StoredAppBarDpi(nullptr, &value) != varolin::kDefaultDpi) std::abort();
    return dpi;
}

void CheckMonitor(const Bytes& value) {
    const auto place = varolin::DecodeMonitorPlace(&value);
    if (!place) return;
    if (place->device.size() > 32 || varolin::EncodeMonitorPlace(*place) != value) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const Bytes value(data, data + size);
    CheckLogFont(value);
    CheckAppBarState(value, CheckAppBarDpi(value));
    CheckAppBarState(value, varolin::kDefaultDpi);
    CheckMonitor(value);
    return 0;
}
