#include <windows.h>
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "settings/Settings.h"
#include "support/TestRegistry.h"

using namespace varolin;

namespace {

class SettingsStore : public CleanRegistryTest {
protected:
    AppSettings m_settings;
    void SetUp() override {
        CleanRegistryTest::SetUp();
        // Values left by an earlier load must not pass for freshly read ones.
        m_settings.nCopyMove = m_settings.nDisplayCount = m_settings.nRenameConfirm = m_settings.nRenameFormat = m_settings.nDaysNew = m_settings.nSlide = -77;
        m_settings.crInitForeColor = m_settings.crInitBackColor = 0x123456;
    }
    // Loads every setting; gives each integer one with the value the load made of it.
    std::vector<std::pair<IntSetting, int>> Load(BarSettings& bar) {
        bar = LoadSettings(m_settings, kFirstStart);
        const AppSettings& s = m_settings;
        return {{kSelGroup, bar.nSelGroup}, {kCopyMove, s.nCopyMove}, {kInitForeColor, static_cast<int>(s.crInitForeColor)},
                {kInitBackColor, static_cast<int>(s.crInitBackColor)}, {kGroupCount, bar.nGroupCount},
                {kDisplayCount, s.nDisplayCount}, {kRenameConfirm, s.nRenameConfirm}, {kRenameFormat, s.nRenameFormat},
                {kDaysNew, s.nDaysNew}, {kSlide, s.nSlide}};
    }

    // The record a bar computes for a first start: docked at the top, always on top.
    static constexpr AppBarState kFirstStart{48, Edge::Top, 0, 1, {60, 24, 60, 24}, Rect{0, 0, 400, 30}};
};

std::vector<std::uint8_t> Bytes(std::span<const std::uint8_t> bytes) { return {bytes.begin(), bytes.end()}; }

}  // namespace

TEST_F(SettingsStore, FirstStartOnACleanRegistryGivesEveryDefaultAndWritesNothing) {
    BarSettings bar;
    for (const auto& [setting, value] : Load(bar)) {
        EXPECT_EQ(value, setting.defaultValue) << testing::PrintToString(std::wstring(setting.name));
        EXPECT_FALSE(ReadRegistryValue(setting.section, setting.name));
    }
    EXPECT_EQ(bar.state, kFirstStart);
    EXPECT_EQ(bar.logFont, LogFontRecord::Default());
    EXPECT_FALSE(bar.monitor);
    for (const wchar_t* name : {L"AppBarState", L"AppBarDpi", L"AppBarMonitor"}) EXPECT_FALSE(ReadRegistryValue(L"Common", name));
    EXPECT_FALSE(ReadRegistryValue(L"Option", L"LogFont"));
}

// Out-of-range values are used as read (renaming and counts keep them harmless), except a page
// count that would leave the bar with no page.
TEST_F(SettingsStore, ValuesRoundTripAsDwordsAndFixedSizeBinaries) {
    const std::pair<IntSetting, int> written[] = {
        {kSelGroup, 8},         {kCopyMove, 1},      {kInitForeColor, 0x010203}, {kInitBackColor, 0x0A0B0C},
        {kGroupCount, 57},      {kDisplayCount, 2},  {kRenameConfirm, 0},        {kRenameFormat, 7},
        {kDaysNew, 99},         {kSlide, 0}};
    for (const auto& [setting, value] : written) {
        ASSERT_TRUE(WriteIntSetting(setting, value));
        const auto raw = ReadRegistryValue(setting.section, setting.name);
        ASSERT_TRUE(raw) << testing::PrintToString(std::wstring(setting.name));
        EXPECT_EQ(raw->type, static_cast<DWORD>(REG_DWORD));
        EXPECT_EQ(raw->data.size(), 4u);
        EXPECT_EQ(raw->AsDword(), static_cast<DWORD>(value));
    }
    LogFontRecord font{-21, 0, 0, 0, 700, 1};
    font.SetFaceName("Arial");
    ASSERT_TRUE(WriteLogFont(font));
    const auto rawFont = ReadRegistryValue(L"Option", L"LogFont");
    ASSERT_TRUE(rawFont);
    EXPECT_EQ(rawFont->type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(rawFont->data, Bytes(font.ToBytes()));

    AppBarState state{12, Edge::Float, 1, 0, {0, 0, 0, 33}, Rect{-100, 5, 200, 45}};  // cbSize written as 48
    ASSERT_TRUE(WriteAppBarState(state));
    state.cbSize = 48;
    const auto rawState = ReadRegistryValue(L"Common", L"AppBarState");
    ASSERT_TRUE(rawState);
    EXPECT_EQ(rawState->type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(rawState->data, Bytes(EncodeAppBarState(state)));

    BarSettings bar;
    const auto loaded = Load(bar);
    for (std::size_t i = 0; i < loaded.size(); ++i) EXPECT_EQ(loaded[i].second, written[i].second) << i;
    EXPECT_EQ(bar.state, state);
    EXPECT_EQ(bar.logFont, font);

    WriteRegistryDword(L"Option", L"GroupCount", 0);
    EXPECT_EQ(LoadSettings(m_settings).nGroupCount, 1);
    WriteRegistryValue(L"Option", L"GroupCount", REG_BINARY, {5, 0, 0, 0});  // another type counts as missing
    EXPECT_EQ(LoadSettings(m_settings).nGroupCount, kGroupCount.defaultValue);
}
