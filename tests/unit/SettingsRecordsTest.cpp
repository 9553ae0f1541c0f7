#include "settings/SettingsRecords.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace varolin;

namespace {
std::vector<std::uint8_t> Bytes(std::initializer_list<int> values) {
    std::vector<std::uint8_t> out;
    for (int v : values) out.push_back(static_cast<std::uint8_t>(v));
    return out;
}
}  // namespace

TEST(LogFontRecord, DefaultIsFifteenPixelShiftJisGothic) {
    const auto bytes = LogFontRecord::Default().ToBytes();
    std::array<std::uint8_t, kLogFontSize> expected{};
    for (auto [offset, value] : {std::pair{0, 0xF1}, {1, 0xFF}, {2, 0xFF}, {3, 0xFF},  // -15
                                 {16, 0x90}, {17, 0x01},                              // 400
                                 {23, 128}})                                          // SHIFTJIS
        expected[offset] = static_cast<std::uint8_t>(value);
    const auto face = Bytes({0x82, 0x6C, 0x82, 0x72, 0x20, 0x82, 0x6F, 0x83, 0x53, 0x83, 0x56, 0x83, 0x62, 0x83, 0x4E});
    std::copy(face.begin(), face.end(), expected.begin() + 28);
    EXPECT_EQ(bytes, expected);
}

TEST(LogFontRecord, BytesRoundTripFieldByField) {
    LogFontRecord font{-2000000000, 7, -900, 0x01020304, 700, 1, 2, 3, 4, 5, 0x10, 0xFE, 0x31};
    font.SetFaceName("Arial");
    const auto bytes = font.ToBytes();
    EXPECT_EQ(bytes[12], 0x04);  // lfOrientation, little-endian
    EXPECT_EQ(bytes[15], 0x01);
    EXPECT_EQ(bytes[25], 0x10);  // lfClipPrecision
    EXPECT_EQ(LogFontRecord::FromBytes(bytes), font);
}

TEST(LogFontRecord, StoredValueFillsItsOwnLengthOrGivesTheDefault) {
    EXPECT_EQ(LogFontFromStored(nullptr), LogFontRecord::Default());

    // 40 bytes (fields and the face name's first 12) over a zeroed record.
    std::vector<std::uint8_t> forty(40);
    for (std::size_t i = 0; i < forty.size(); ++i) forty[i] = static_cast<std::uint8_t>(i + 1);
    const auto bytes = LogFontFromStored(&forty).ToBytes();
    EXPECT_TRUE(std::equal(forty.begin(), forty.end(), bytes.begin()));
    EXPECT_TRUE(std::all_of(bytes.begin() + 40, bytes.end(), [](std::uint8_t b) { return b == 0; }));

    const std::vector<std::uint8_t> tooLong(61, 1);
    EXPECT_EQ(LogFontFromStored(&tooLong), LogFontRecord::Default());
    // Outside code page 932 only the default changes: to a face that exists there, in ANSI.
    const LogFontRecord tahoma = LogFontFromStored(nullptr, 1252);
    EXPECT_EQ(std::pair(tahoma.FaceName(), int{tahoma.lfCharSet}), std::pair(std::string("Tahoma"), 0));
    EXPECT_EQ(LogFontFromStored(&forty, 1252), LogFontFromStored(&forty));
}

TEST(LogFontRecord, FaceNameWithoutTerminatingZeroIsCutAt31Bytes) {
    std::vector<std::uint8_t> stored(kLogFontSize, 'A');
    const LogFontRecord font = LogFontFromStored(&stored);
    EXPECT_EQ(font.FaceName(), std::string(31, 'A'));

    // A terminated name is kept byte for byte, whatever follows its zero.
    stored[28 + 5] = 0;
    EXPECT_EQ(LogFontFromStored(&stored).ToBytes()[59], 'A');
    EXPECT_EQ(LogFontFromStored(&stored).FaceName(), "AAAAA");

    LogFontRecord set;
    set.SetFaceName(std::string(40, 'B'));
    EXPECT_EQ(set.FaceName(), std::string(31, 'B'));
}

TEST(SettingClamps, GroupCountToNearestBoundRenameFormatOutsideRangeUsesZero) {
    for (auto [stored, used] : {std::pair{-5, 1}, {0, 1}, {1, 1}, {57, 57}, {99, 99}, {100, 99}, {0x7FFFFFFF, 99}})
        EXPECT_EQ(ClampGroupCount(stored), used) << stored;
    for (auto [stored, used] : {std::pair{0, 0}, {3, 3}, {4, 0}, {-1, 0}, {1000, 0}})
        EXPECT_EQ(RenameFormatInUse(stored), used) << stored;
}

// The hotkey control's value as RegisterHotKey takes it; what the control would never give,
// and a chord that would take a typing key from every program, register nothing.
TEST(HotKeyValue, ControlBitsBecomeRegisterBitsAndUnusableValuesGiveNone) {
    constexpr unsigned kNoRepeat = 0x4000;
    EXPECT_EQ(HotKeyChordOf(kHotKey.defaultValue), (HotKeyChord{'Y', kNoRepeat | 0x2 | 0x4})) << "Ctrl+Shift+Y";
    EXPECT_EQ(HotKeyChordOf((kHotKeyAlt << 8) | 0x70), (HotKeyChord{0x70, kNoRepeat | 0x1})) << "Alt+F1";
    EXPECT_EQ(HotKeyChordOf(((kHotKeyControl | kHotKeyExtended) << 8) | 0x2E), (HotKeyChord{0x2E, kNoRepeat | 0x2}))
        << "Ctrl+Delete: the extended flag is no modifier";
    EXPECT_EQ(HotKeyChordOf(((kHotKeyControl | kHotKeyAlt | kHotKeyShift) << 8) | 'K'), (HotKeyChord{'K', kNoRepeat | 0x7}));
    for (int none : {0, -1, int{'Y'}, (kHotKeyShift << 8) | 'Y', (kHotKeyControl << 8), 0x10000 | kHotKey.defaultValue,
                     (0x10 << 8) | 'Y' | (kHotKeyControl << 8)})
        EXPECT_EQ(HotKeyChordOf(none), std::nullopt) << std::hex << none;
}

// "AppBarDpi" belongs to the bytes it copies: a record an older build rewrote is 96 DPI again.
TEST(AppBarStateValue, StoredSizesComeFromTheDpiRecordedForExactlyThoseBytes) {
    const AppBarState stored{48, Edge::Top, 0, 1, {40, 30, 40, 30}, Rect{100, 50, 500, 80}};
    const auto bytes = EncodeAppBarState(stored);
    const std::vector<std::uint8_t> state(bytes.begin(), bytes.end());
    const auto record = EncodeAppBarDpi(144, stored);
    std::vector<std::uint8_t> dpi(record.begin(), record.end());
    EXPECT_EQ(StoredAppBarDpi(&state, &dpi), 144);
    EXPECT_EQ(StoredAppBarDpi(&state, nullptr), 96) << "missing means 96";
    std::vector<std::uint8_t> rewritten = state;
    rewritten[20] = 31;  // the top height, changed by a build that left the DPI record alone
    EXPECT_EQ(StoredAppBarDpi(&rewritten, &dpi), 96);
    dpi[0] = 3;  // no screen has 3 DPI
    EXPECT_EQ(StoredAppBarDpi(&state, &dpi), 96);

    // Stored at 144, read at 96: sizes converted, the floating position kept.
    const AppBarState defaults{48, Edge::Top, 0, 1, {6, 6, 6, 6}, Rect{0, 0, 99, 9}};
    EXPECT_EQ(AppBarStateFromStored(defaults, &state, 144, 96),
              (AppBarState{48, Edge::Top, 0, 1, {27, 20, 27, 20}, Rect{100, 50, 367, 70}}));
    // A short value replaces its own length (a partial field its low bytes), at the stored DPI;
    // a missing or longer one leaves the defaults.
    const std::vector<std::uint8_t> toTopSize(state.begin(), state.begin() + 24);
    EXPECT_EQ(AppBarStateFromStored(defaults, &toTopSize, 96, 144),
              (AppBarState{48, Edge::Top, 0, 1, {60, 45, 6, 6}, Rect{0, 0, 99, 9}}));
    const auto partial = Bytes({48, 0, 0, 0, 0xFE});
    EXPECT_EQ(AppBarStateFromStored(defaults, &partial).nEdge, static_cast<Edge>(0xFE));
    const std::vector<std::uint8_t> tooLong(49, 0x11);
    EXPECT_EQ(AppBarStateFromStored(defaults, &tooLong), defaults);
    EXPECT_EQ(AppBarStateFromStored(defaults, nullptr), defaults);
}

TEST(AppBarMonitorValue, NameAndRectangleRoundTripDamagedValuesGiveNone) {
    const MonitorPlace place{L"\\\\.\\DISPLAY2", Rect{-1280, -200, 0, 824}};
    const std::vector<std::uint8_t> bytes = EncodeMonitorPlace(place);
    EXPECT_EQ(bytes.size(), 16u + 2 * 12);
    EXPECT_EQ(DecodeMonitorPlace(&bytes), place);
    for (std::size_t size : {0, 15, 17}) {
        const std::vector<std::uint8_t> cut(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size));
        EXPECT_FALSE(DecodeMonitorPlace(&cut)) << size;
    }
    EXPECT_FALSE(DecodeMonitorPlace(nullptr));
}
