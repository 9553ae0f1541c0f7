#pragma once
// The registry values of the settings store as plain data: names, sections, defaults, the
// 60-byte "LogFont" record and the rules that keep stored values from hurting the bar.
// Portable: no <windows.h>. The registry side is in Settings.h.
#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "appbar/AppBarState.h"
#include "appbar/Monitors.h"

namespace varolin {

inline constexpr wchar_t kSectionCommon[] = L"Common";
inline constexpr wchar_t kSectionOption[] = L"Option";

// An integer (REG_DWORD) setting.
struct IntSetting {
    const wchar_t* section;
    const wchar_t* name;
    int defaultValue;
};

// In the order the bar reads them at start.
inline constexpr IntSetting kSelGroup{kSectionCommon, L"SelGroup", 0};
inline constexpr IntSetting kCopyMove{kSectionCommon, L"CopyMove", 0};
inline constexpr IntSetting kInitForeColor{kSectionCommon, L"InitForeColor", 0xFFFFFF};
inline constexpr IntSetting kInitBackColor{kSectionCommon, L"InitBackColor", 0x806000};
inline constexpr IntSetting kGroupCount{kSectionOption, L"GroupCount", 3};
inline constexpr IntSetting kDisplayCount{kSectionOption, L"DisplayCount", 1};
inline constexpr IntSetting kRenameConfirm{kSectionOption, L"RenameConfirm", 1};
inline constexpr IntSetting kRenameFormat{kSectionOption, L"RenameFormat", 0};
inline constexpr IntSetting kDaysNew{kSectionOption, L"DaysNew", 1};
inline constexpr IntSetting kSlide{kSectionOption, L"Slide", 1};

// "HotKey" in "Common": the chord that activates the bar, as the options page's hotkey control
// gives it (the virtual key in the low byte, its HOTKEYF_ modifier bits in the next). Missing
// means the default; 0 means none. The default is Ctrl+Shift+Y: Ctrl+Alt is AltGr on many
// layouts, where AltGr (and AltGr+Shift) with a letter types a character; Win chords belong to
// Windows (and the control cannot hold the Win key); Ctrl+Shift with a letter types nothing on
// any layout, and Windows binds no Ctrl+Shift+Y of its own.
inline constexpr int kHotKeyShift = 0x01;    // HOTKEYF_SHIFT
inline constexpr int kHotKeyControl = 0x02;  // HOTKEYF_CONTROL
inline constexpr int kHotKeyAlt = 0x04;      // HOTKEYF_ALT
inline constexpr int kHotKeyExtended = 0x08;  // HOTKEYF_EXT: an extended key, not a modifier
inline constexpr int kDefaultHotKey = ((kHotKeyControl | kHotKeyShift) << 8) | 'Y';
inline constexpr IntSetting kHotKey{kSectionCommon, L"HotKey", kDefaultHotKey};

// "Language" in "Common": 0x0411 speaks Japanese, 0x0409 English, anything else (missing, 0)
// follows the user's interface language. Read first of all, before any text is loaded.
inline constexpr IntSetting kLanguage{kSectionCommon, L"Language", 0};

// The binary (REG_BINARY) values.
inline constexpr wchar_t kAppBarStateName[] = L"AppBarState";  // in "Common"
inline constexpr wchar_t kLogFontName[] = L"LogFont";          // in "Option"
// Added beside "AppBarState", which keeps its size and meaning: the DPI its sizes were taken
// at, and the monitor a docked bar was placed on. Missing, they mean what older builds meant:
// 96 DPI and the primary monitor.
inline constexpr wchar_t kAppBarDpiName[] = L"AppBarDpi";          // in "Common"
inline constexpr wchar_t kAppBarMonitorName[] = L"AppBarMonitor";  // in "Common"
inline constexpr std::size_t kLogFontSize = 60;
inline constexpr std::size_t kFaceNameSize = 32;

inline constexpr int kMinGroupCount = 1;
inline constexpr int kMaxGroupCount = 99;
inline constexpr int kRenameFormatCount = 4;

// A LOGFONTA as stored in "LogFont": five little-endian 32-bit fields, eight bytes, and a
// 32-byte face name in the ANSI code page (932), 60 bytes in all.
struct LogFontRecord {
    std::int32_t lfHeight = 0;
    std::int32_t lfWidth = 0;
    std::int32_t lfEscapement = 0;
    std::int32_t lfOrientation = 0;
    std::int32_t lfWeight = 0;
    std::uint8_t lfItalic = 0;
    std::uint8_t lfUnderline = 0;
    std::uint8_t lfStrikeOut = 0;
    std::uint8_t lfCharSet = 0;
    std::uint8_t lfOutPrecision = 0;
    std::uint8_t lfClipPrecision = 0;
    std::uint8_t lfQuality = 0;
    std::uint8_t lfPitchAndFamily = 0;
    std::array<char, kFaceNameSize> lfFaceName{};  // ANSI bytes, zero-terminated

    // Height -15, weight 400, Shift-JIS character set, face "ＭＳ Ｐゴシック"; all else zero.
    static LogFontRecord Default();
    // The default on a system whose ANSI code page is `ansiCodePage`: the one above on 932;
    // elsewhere the Japanese face's bytes mean another name, so Tahoma (every Windows has it)
    // with the ANSI character set, otherwise alike.
    static LogFontRecord DefaultFor(unsigned ansiCodePage);

    // Every field compared: the same as comparing the 60 stored bytes.
    bool operator==(const LogFontRecord&) const = default;

    std::array<std::uint8_t, kLogFontSize> ToBytes() const;
    static LogFontRecord FromBytes(std::span<const std::uint8_t, kLogFontSize> bytes);

    // The face name's bytes up to the terminating zero.
    std::string FaceName() const;
    // Sets the face name, cut to 31 bytes. The caller keeps double-byte characters whole.
    void SetFaceName(const std::string& ansiFace);
};

// The bar's font from a stored "LogFont" (nullptr: missing or unreadable). A value longer than
// 60 bytes gives the default; a shorter one fills its own length of a zeroed record. A face
// name without a terminating zero is cut at 31 bytes, so that no reader runs past it. The default
// is the one for `ansiCodePage`.
LogFontRecord LogFontFromStored(const std::vector<std::uint8_t>* stored, unsigned ansiCodePage = 932);

// The bar's docking record from a stored "AppBarState" (nullptr: missing or unreadable) laid
// over `defaults`: a value shorter than 48 bytes replaces only its own length; a longer one
// cannot be read and leaves the defaults. `defaults` and the result are at `dpi`; the stored
// sizes, taken at `storedDpi`, are converted (the floating rectangle's position is not).
AppBarState AppBarStateFromStored(const AppBarState& defaults, const std::vector<std::uint8_t>* stored,
                                  int storedDpi = kDefaultDpi, int dpi = kDefaultDpi);

// "AppBarDpi": the DPI, then a copy of the 48 "AppBarState" bytes it belongs to (cbSize 48),
// so that a record rewritten by a build that knows nothing of it no longer matches.
inline constexpr std::size_t kAppBarDpiSize = 4 + AppBarState::kSize;
std::array<std::uint8_t, kAppBarDpiSize> EncodeAppBarDpi(int dpi, const AppBarState& state);
// The DPI of a stored "AppBarState": the recorded one when "AppBarDpi" holds a plausible DPI
// and exactly the stored bytes, else 96.
int StoredAppBarDpi(const std::vector<std::uint8_t>* state, const std::vector<std::uint8_t>* dpiRecord);

// "AppBarMonitor": the monitor's rectangle (four little-endian 32-bit values), then its name
// in UTF-16LE without a terminator. Nothing for a value too short, of an odd length or with a
// name longer than the system's 32 characters.
std::vector<std::uint8_t> EncodeMonitorPlace(const MonitorPlace& place);
std::optional<MonitorPlace> DecodeMonitorPlace(const std::vector<std::uint8_t>* stored);

// "GroupCount" outside 1..99 would leave the bar with no page or thousands of windows: the
// nearest bound is used instead.
int ClampGroupCount(int stored);

// The numbering format to rename with: a stored "RenameFormat" outside 0..3 renames with
// format 0 (the stored value itself is kept and shown as it is).
int RenameFormatInUse(int stored);

// A stored "HotKey" as RegisterHotKey takes it: the virtual key and the MOD_ bits.
struct HotKeyChord {
    unsigned virtualKey = 0;
    unsigned modifiers = 0;  // MOD_ALT 1, MOD_CONTROL 2, MOD_SHIFT 4; MOD_NOREPEAT 0x4000 always
    bool operator==(const HotKeyChord&) const = default;
};
// None for 0 and for a value that is no hotkey control's value. None as well for a key
// without Ctrl or Alt: registered system-wide it would take a typing key (or a Shift one) from
// every program, and the page's control never gives one.
std::optional<HotKeyChord> HotKeyChordOf(int stored);

// The numbers of numbered names come from one counter for the whole run (never stored), kept
// with the settings in force.
// Hands out candidate numbers from 0 upwards. Every candidate takes a number, used or not, so
// two candidates made from the same path never repeat. A transfer worker takes numbers itself:
// a round trip to the UI thread could wait on a drop in progress there.
class RenameCounter {
public:
    RenameCounter() = default;
    RenameCounter(const RenameCounter& other) : m_next(other.Peek()) {}
    RenameCounter& operator=(const RenameCounter& other) {
        m_next.store(other.Peek());
        return *this;
    }
    int Next();
    int Peek() const { return m_next.load(); }

private:
    std::atomic<int> m_next{0};
};

}  // namespace varolin
