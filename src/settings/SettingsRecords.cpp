#include "settings/SettingsRecords.h"

#include <climits>

#include <algorithm>

namespace varolin {
namespace {

// Little-endian field access within a fixed-size record. Every access is checked: writes past
// the end are dropped and reads past it give 0.
class RecordWriter {
public:
    explicit RecordWriter(std::span<std::uint8_t> out) : m_out(out) {}
    void Int32(std::int32_t value) {
        const auto u = static_cast<std::uint32_t>(value);
        for (int shift = 0; shift < 32; shift += 8) Byte(static_cast<std::uint8_t>(u >> shift));
    }
    void Byte(std::uint8_t value) {
        if (m_pos < m_out.size()) m_out[m_pos] = value;
        ++m_pos;
    }

private:
    std::span<std::uint8_t> m_out;
    std::size_t m_pos = 0;
};

class RecordReader {
public:
    explicit RecordReader(std::span<const std::uint8_t> in) : m_in(in) {}
    std::int32_t Int32() {
        std::uint32_t u = 0;
        for (int shift = 0; shift < 32; shift += 8) u |= static_cast<std::uint32_t>(Byte()) << shift;
        return static_cast<std::int32_t>(u);
    }
    std::uint8_t Byte() {
        const std::uint8_t value = m_pos < m_in.size() ? m_in[m_pos] : 0;
        ++m_pos;
        return value;
    }

private:
    std::span<const std::uint8_t> m_in;
    std::size_t m_pos = 0;
};

}  // namespace

LogFontRecord LogFontRecord::Default() {
    LogFontRecord font;
    font.lfHeight = -15;
    font.lfWeight = 400;
    font.lfCharSet = 128;  // SHIFTJIS_CHARSET
    // "ＭＳ Ｐゴシック" in code page 932.
    font.SetFaceName("\x82\x6C\x82\x72\x20\x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E");
    return font;
}

LogFontRecord LogFontRecord::DefaultFor(unsigned ansiCodePage) {
    LogFontRecord font = Default();
    if (ansiCodePage == 932) return font;
    font.lfCharSet = 0;  // ANSI_CHARSET
    font.SetFaceName("Tahoma");
    return font;
}

std::array<std::uint8_t, kLogFontSize> LogFontRecord::ToBytes() const {
    std::array<std::uint8_t, kLogFontSize> bytes{};
    RecordWriter w(bytes);
    for (std::int32_t v : {lfHeight, lfWidth, lfEscapement, lfOrientation, lfWeight}) w.Int32(v);
    for (std::uint8_t b : {lfItalic, lfUnderline, lfStrikeOut, lfCharSet, lfOutPrecision,
                           lfClipPrecision, lfQuality, lfPitchAndFamily})
        w.Byte(b);
    for (char c : lfFaceName) w.Byte(static_cast<std::uint8_t>(c));
    return bytes;
}

LogFontRecord LogFontRecord::FromBytes(std::span<const std::uint8_t, kLogFontSize> bytes) {
    LogFontRecord font;
    RecordReader r(bytes);
    for (std::int32_t* v : {&font.lfHeight, &font.lfWidth, &font.lfEscapement, &font.lfOrientation,
                            &font.lfWeight})
        *v = r.Int32();
    for (std::uint8_t* b : {&font.lfItalic, &font.lfUnderline, &font.lfStrikeOut, &font.lfCharSet,
                            &font.lfOutPrecision, &font.lfClipPrecision, &font.lfQuality,
                            &font.lfPitchAndFamily})
        *b = r.Byte();
    for (char& c : font.lfFaceName) c = static_cast<char>(r.Byte());
    return font;
}

std::string LogFontRecord::FaceName() const {
    const auto end = std::find(lfFaceName.begin(), lfFaceName.end(), '\0');
    return std::string(lfFaceName.begin(), end);
}

void LogFontRecord::SetFaceName(const std::string& ansiFace) {
    lfFaceName.fill('\0');
    std::copy_n(ansiFace.begin(), std::min(ansiFace.size(), kFaceNameSize - 1), lfFaceName.begin());
}

LogFontRecord LogFontFromStored(const std::vector<std::uint8_t>* stored, unsigned ansiCodePage) {
    if (!stored || stored->size() > kLogFontSize) return LogFontRecord::DefaultFor(ansiCodePage);
    std::array<std::uint8_t, kLogFontSize> bytes{};
    std::copy(stored->begin(), stored->end(), bytes.begin());
    LogFontRecord font = LogFontRecord::FromBytes(bytes);
    if (std::find(font.lfFaceName.begin(), font.lfFaceName.end(), '\0') == font.lfFaceName.end())
        font.lfFaceName.back() = '\0';
    return font;
}

AppBarState AppBarStateFromStored(const AppBarState& defaults, const std::vector<std::uint8_t>* stored,
                                  int storedDpi, int dpi) {
    if (!stored || stored->size() > AppBarState::kSize) return defaults;
    auto bytes = EncodeAppBarState(defaults);
    std::copy(stored->begin(), stored->end(), bytes.begin());
    AppBarState state = DecodeAppBarState(bytes);
    // Only what was stored is at the stored DPI: a short value leaves defaults at `dpi`.
    const AppBarState converted = ConvertAppBarStateDpi(state, storedDpi, dpi);
    constexpr std::size_t kDockSizesAt = 16;
    for (std::size_t k = 0; k < 4; ++k)
        if (stored->size() >= kDockSizesAt + 4 * (k + 1)) state.anDockSize[k] = converted.anDockSize[k];
    if (stored->size() == AppBarState::kSize) state.rcFloat = converted.rcFloat;
    return state;
}

namespace {
// Beyond what any screen has had: a damaged record must not blow the sizes up or away.
constexpr int kMinStoredDpi = 24;
constexpr int kMaxStoredDpi = 2400;
constexpr std::size_t kMaxDeviceChars = 32;
}  // namespace

std::array<std::uint8_t, kAppBarDpiSize> EncodeAppBarDpi(int dpi, const AppBarState& state) {
    AppBarState record = state;
    record.cbSize = AppBarState::kSize;
    std::array<std::uint8_t, kAppBarDpiSize> bytes{};
    RecordWriter w(bytes);
    w.Int32(dpi);
    for (std::uint8_t b : EncodeAppBarState(record)) w.Byte(b);
    return bytes;
}

int StoredAppBarDpi(const std::vector<std::uint8_t>* state, const std::vector<std::uint8_t>* dpiRecord) {
    if (!state || !dpiRecord || dpiRecord->size() != kAppBarDpiSize || state->size() != AppBarState::kSize)
        return kDefaultDpi;
    if (!std::equal(state->begin(), state->end(), dpiRecord->begin() + 4)) return kDefaultDpi;
    const int dpi = RecordReader(*dpiRecord).Int32();
    return dpi >= kMinStoredDpi && dpi <= kMaxStoredDpi ? dpi : kDefaultDpi;
}

std::vector<std::uint8_t> EncodeMonitorPlace(const MonitorPlace& place) {
    const std::size_t chars = std::min(place.device.size(), kMaxDeviceChars);
    std::vector<std::uint8_t> bytes(16 + 2 * chars);
    RecordWriter w(bytes);
    for (int v : {place.rect.left, place.rect.top, place.rect.right, place.rect.bottom}) w.Int32(v);
    for (std::size_t i = 0; i < chars; ++i) {
        const auto unit = static_cast<std::uint16_t>(place.device[i]);
        w.Byte(static_cast<std::uint8_t>(unit));
        w.Byte(static_cast<std::uint8_t>(unit >> 8));
    }
    return bytes;
}

std::optional<MonitorPlace> DecodeMonitorPlace(const std::vector<std::uint8_t>* stored) {
    if (!stored || stored->size() < 16 || stored->size() % 2 != 0 || stored->size() > 16 + 2 * kMaxDeviceChars)
        return std::nullopt;
    RecordReader r(*stored);
    MonitorPlace place;
    place.rect.left = r.Int32();
    place.rect.top = r.Int32();
    place.rect.right = r.Int32();
    place.rect.bottom = r.Int32();
    for (std::size_t i = 16; i < stored->size(); i += 2) {
        const std::uint8_t low = r.Byte();
        place.device.push_back(static_cast<wchar_t>(low | r.Byte() << 8));
    }
    return place;
}

int ClampGroupCount(int stored) { return std::clamp(stored, kMinGroupCount, kMaxGroupCount); }

int RenameFormatInUse(int stored) {
    return stored >= 0 && stored < kRenameFormatCount ? stored : 0;
}

std::optional<HotKeyChord> HotKeyChordOf(int stored) {
    if (stored <= 0 || stored > 0xFFFF) return std::nullopt;
    const int flags = stored >> 8;
    const unsigned key = static_cast<unsigned>(stored & 0xFF);
    if (key == 0 || (flags & ~(kHotKeyShift | kHotKeyControl | kHotKeyAlt | kHotKeyExtended)) != 0 ||
        (flags & (kHotKeyControl | kHotKeyAlt)) == 0)
        return std::nullopt;
    constexpr unsigned kModAlt = 0x1, kModControl = 0x2, kModShift = 0x4;
    // Held down, the chord would activate the bar again at every repeat.
    constexpr unsigned kModNoRepeat = 0x4000;
    HotKeyChord chord;
    chord.virtualKey = key;
    chord.modifiers = kModNoRepeat | ((flags & kHotKeyAlt) ? kModAlt : 0u) | ((flags & kHotKeyControl) ? kModControl : 0u) |
                      ((flags & kHotKeyShift) ? kModShift : 0u);
    return chord;
}

int RenameCounter::Next() {
    int number = m_next.load();
    // Wrapping keeps the arithmetic defined; two billion renames in one run do not happen.
    while (!m_next.compare_exchange_weak(number, number == INT_MAX ? 0 : number + 1)) {
    }
    return number;
}

}  // namespace varolin
