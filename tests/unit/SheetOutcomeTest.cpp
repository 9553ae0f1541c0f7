#include "framework/SheetOutcome.h"
#include "framework/UiLanguage.h"

#include <gtest/gtest.h>

TEST(SheetOutcome, OkIsKnownFromThePagesWhateverPropertySheetReturned) {
    using enum OkAnswer;
    struct Case {
        std::intptr_t result;  // 0: what Windows may answer to an OK with no page changed
        std::vector<OkAnswer> answers;
        bool ok;
    } cases[] = {
        {0, {kAccepted, kAccepted}, true},
        {0, {kAccepted, kNone}, true},  // the second page was never shown
        {1, {kAccepted, kAccepted}, true},
        {0, {kNone, kNone}, false},  // Cancel
        {1, {kNone, kNone}, false},
        {0, {kAccepted, kRefused}, false},  // an OK refused, then Cancel
        {-1, {kAccepted}, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SheetEndedWithOk(c.result, c.answers), c.ok) << c.result << ", " << testing::PrintToString(c.answers);
}

TEST(UiLanguage, AStoredChoiceWinsElseJapaneseOnlyForAJapaneseSystem) {
    using namespace uilang;
    for (std::uint16_t system : {0x0411, 0x0011, 0x0409, 0x0407}) {
        for (std::uint16_t forced : {kJapanese, kEnglish}) EXPECT_EQ(ChooseLanguage(forced, system), forced);
        for (std::uint32_t unknown : {0u, 0x0809u, 0x10411u})  // 0x0011: Japanese, neutral sublanguage
            EXPECT_EQ(ChooseLanguage(unknown, system), (system & 0xFF) == 0x11 ? kJapanese : kEnglish) << system;
    }
}
