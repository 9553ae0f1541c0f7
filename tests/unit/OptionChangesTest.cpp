#include "dialogs/OptionChanges.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

using namespace varolin;

namespace {
OptionValues Stored() {
    OptionValues v;
    v.groupCount = 5;
    v.daysNew = 3;
    v.displayCount = 1;
    v.renameConfirm = 1;
    v.renameFormat = 0;
    return v;
}

// The values to write, by name.
std::string Written(const OptionChanges& c) {
    std::string out;
    for (auto [set, name] : {std::pair{c.displayCount, "displayCount"}, {c.renameConfirm, "renameConfirm"},
                             {c.renameFormat, "renameFormat"}, {c.daysNew, "daysNew"}, {c.groupCount, "groupCount"},
                             {c.logFont, "logFont"}, {c.hotKey, "hotKey"}})
        if (set) out += std::string(out.empty() ? "" : " ") + name;
    return out;
}
}  // namespace

TEST(OptionChanges, WhatIsWrittenHowMuchIsRefreshedAndWhichPageIsCurrent) {
    struct Case {
        void (*change)(OptionValues& stored, OptionValues& edited);
        int page;
        const char* written;
        RefreshLevel refresh;
        int pageAfter;
    } cases[] = {
        {[](auto&, auto&) {}, 4, "", kRefreshNone, 4},
        {[](auto&, auto& e) { e.renameConfirm = 0; e.renameFormat = 3; }, 0, "renameConfirm renameFormat", kRefreshNone, 0},
        {[](auto&, auto& e) { e.displayCount = 0; }, 0, "displayCount", kRefreshRepaint, 0},
        {[](auto&, auto& e) { e.logFont.lfWeight = 700; }, 0, "logFont", kRefreshRepaint, 0},
        // A byte behind the face name's terminator counts: the 60 bytes are compared.
        {[](auto&, auto& e) { e.logFont.lfFaceName[30] = 'x'; }, 0, "logFont", kRefreshRepaint, 0},
        {[](auto&, auto& e) { e.daysNew = 0; }, 0, "daysNew", kRefreshRebuild, 0},
        // A font change does not lower a rebuild to a repaint.
        {[](auto&, auto& e) { e.daysNew = 0; e.logFont.lfItalic = 1; }, 0, "daysNew logFont", kRefreshRebuild, 0},
        {[](auto&, auto& e) { e.groupCount = 7; }, 4, "groupCount", kRefreshRebuild, 4},
        // Fewer pages than the current one make the last page current.
        {[](auto&, auto& e) { e.groupCount = 2; }, 4, "groupCount", kRefreshRebuild, 1},
        {[](auto&, auto& e) { e.groupCount = 2; }, 1, "groupCount", kRefreshRebuild, 1},
        // Boxes stored as 2 show clear: OK writes both back as 0, and the counts repaint.
        {[](auto& s, auto& e) { s.displayCount = s.renameConfirm = 2; e = SheetInputs(s); }, 0,
         "displayCount renameConfirm", kRefreshRepaint, 0},
        // Any ticked state counts as 1.
        {[](auto& s, auto& e) { s.displayCount = 0; e.displayCount = 3; }, 0, "displayCount", kRefreshRepaint, 0},
        {[](auto&, auto& e) { e.displayCount = 3; }, 0, "", kRefreshNone, 0},
        // A rename format the list cannot show is kept unless the user picks one.
        {[](auto& s, auto& e) { s.renameFormat = 7; e = SheetInputs(s); }, 0, "", kRefreshNone, 0},
        {[](auto& s, auto& e) { s.renameFormat = 7; e.renameFormat = 1; }, 0, "renameFormat", kRefreshNone, 0},
        // A new chord or none is registered by the bar; nothing is redrawn.
        {[](auto&, auto& e) { e.hotKey = 0; }, 2, "hotKey", kRefreshNone, 2},
        {[](auto& s, auto& e) { s.hotKey = e.hotKey = 0x370; }, 0, "", kRefreshNone, 0},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        OptionValues stored = Stored(), edited = Stored();
        cases[i].change(stored, edited);
        const OptionChanges changes = ComputeOptionChanges(stored, edited, cases[i].page);
        EXPECT_EQ(Written(changes), cases[i].written) << "case " << i;
        EXPECT_EQ(changes.Any(), *cases[i].written != '\0') << "case " << i;
        EXPECT_EQ(changes.refresh, cases[i].refresh) << "case " << i;
        EXPECT_EQ(changes.currentPage, cases[i].pageAfter) << "case " << i;
    }
}
