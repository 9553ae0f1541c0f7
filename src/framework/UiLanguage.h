#pragma once
// Which of the program's two languages it speaks. Portable: no <windows.h>.
#include <cstdint>

namespace uilang {

inline constexpr std::uint16_t kJapanese = 0x0411;  // LANG_JAPANESE, SUBLANG_DEFAULT
inline constexpr std::uint16_t kEnglish = 0x0409;   // LANG_ENGLISH, SUBLANG_ENGLISH_US

// `forced` is the stored choice (0x0411 or 0x0409; anything else means none); without one a
// user interface language whose primary language is Japanese gives Japanese, any other English.
std::uint16_t ChooseLanguage(std::uint32_t forced, std::uint16_t userUiLanguage);

}  // namespace uilang
