#include "framework/UiLanguage.h"

namespace uilang {

std::uint16_t ChooseLanguage(std::uint32_t forced, std::uint16_t userUiLanguage) {
    if (forced == kJapanese || forced == kEnglish) return static_cast<std::uint16_t>(forced);
    constexpr std::uint16_t kPrimaryMask = 0x3FF;  // PRIMARYLANGID
    return (userUiLanguage & kPrimaryMask) == (kJapanese & kPrimaryMask) ? kJapanese : kEnglish;
}

}  // namespace uilang
