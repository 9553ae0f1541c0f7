#include <windows.h>
#include <gtest/gtest.h>

#include "settings/Settings.h"
#include "support/TestRegistry.h"

using varolin::LogFontRecord;

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
};

// The record a bar computes for a first start: docked at the top, always on top.
varolin::AppBarState DefaultState() {
    varolin::AppBarState state;
    state.nEdge = varolin::Edge::Top;
    state.bAlwaysOnTop = 1;
    state.anDockSize[0] = state.anDockSize[2] = 60;
    state.anDockSize[1] = state.anDockSize[3] = 24;
    state.rcFloat = varolin::Rect{0, 0, 400, 30};
    return state;
}

std::vector<std::uint8_t> Bytes(const std::array<std::uint8_t, varolin::kLogFontSize>& a) {
    return std::vector<std::uint8_t>(a.begin(), a.end());
}

}  // namespace

TEST_F(SettingsStore, FirstStartOnACleanRegistryGivesEveryDefaultAndWritesNothing) {
    const BarSettings bar = LoadSettings(m_settings, DefaultState());
    EXPECT_EQ(bar.state, DefaultState());
    EXPECT_EQ(bar.nSelGroup, 0);
    EXPECT_EQ(bar.nGroupCount, 3);
    EXPECT_EQ(m_settings.nCopyMove, 0);
    EXPECT_EQ(m_settings.crInitForeColor, RGB(255, 255, 255));
    EXPECT_EQ(m_settings.crInitBackColor, RGB(0x00, 0x60, 0x80));
    EXPECT_EQ(m_settings.nDisplayCount, 1);
    EXPECT_EQ(m_settings.nRenameConfirm, 1);
    EXPECT_EQ(m_settings.nRenameFormat, 0);
    EXPECT_EQ(m_settings.nDaysNew, 1);
    EXPECT_EQ(m_settings.nSlide, 1);
    EXPECT_EQ(bar.logFont, LogFontRecord::Default());  // its fields are a unit test's

    EXPECT_FALSE(ReadRegistryValue(L"Common", L"SelGroup"));
    EXPECT_FALSE(ReadRegistryValue(L"Option", L"GroupCount"));
    EXPECT_FALSE(ReadRegistryValue(L"Option", L"LogFont"));
    EXPECT_FALSE(ReadRegistryValue(L"Common", L"AppBarState"));
}

TEST_F(SettingsStore, ValuesRoundTripAsDwordsAndFixedSizeBinaries) {
    const std::pair<varolin::IntSetting, int> written[] = {
        {varolin::kSelGroup, 4},      {varolin::kCopyMove, 1},      {varolin::kInitForeColor, 0x010203},
        {varolin::kInitBackColor, 0x0A0B0C}, {varolin::kGroupCount, 57}, {varolin::kDisplayCount, 0},
        {varolin::kRenameConfirm, 0}, {varolin::kRenameFormat, 3},  {varolin::kDaysNew, 99},
        {varolin::kSlide, 0},
    };
    for (const auto& [setting, value] : written) {
        ASSERT_TRUE(WriteIntSetting(setting, value));
        const auto raw = ReadRegistryValue(setting.section, setting.name);
        ASSERT_TRUE(raw) << testing::PrintToString(std::wstring(setting.name));
        EXPECT_EQ(raw->type, static_cast<DWORD>(REG_DWORD));
        EXPECT_EQ(raw->data.size(), 4u);
        EXPECT_EQ(raw->AsDword(), static_cast<DWORD>(value));
    }
    LogFontRecord font = LogFontRecord::Default();
    font.lfHeight = -21;
    font.lfItalic = 1;
    font.SetFaceName("Arial");
    ASSERT_TRUE(WriteLogFont(font));
    const auto raw = ReadRegistryValue(L"Option", L"LogFont");
    ASSERT_TRUE(raw);
    EXPECT_EQ(raw->type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(raw->data, Bytes(font.ToBytes()));

    varolin::AppBarState state;
    state.cbSize = 12;  // written as 48 whatever the record says
    state.nEdge = varolin::Edge::Float;
    state.bAutoHide = 1;
    state.anDockSize[3] = 33;
    state.rcFloat = varolin::Rect{-100, 5, 200, 45};
    ASSERT_TRUE(WriteAppBarState(state));
    const auto rawState = ReadRegistryValue(L"Common", L"AppBarState");
    ASSERT_TRUE(rawState);
    EXPECT_EQ(rawState->type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(rawState->data.size(), 48u);
    EXPECT_EQ(rawState->AsDword(), 48u);

    const BarSettings bar = LoadSettings(m_settings, DefaultState());
    state.cbSize = 48;
    EXPECT_EQ(bar.state, state);
    EXPECT_EQ(bar.nSelGroup, 4);
    EXPECT_EQ(bar.nGroupCount, 57);
    EXPECT_EQ(bar.logFont, font);
    EXPECT_EQ(m_settings.nCopyMove, 1);
    EXPECT_EQ(m_settings.crInitForeColor, 0x010203u);
    EXPECT_EQ(m_settings.crInitBackColor, 0x0A0B0Cu);
    EXPECT_EQ(m_settings.nDisplayCount, 0);
    EXPECT_EQ(m_settings.nRenameConfirm, 0);
    EXPECT_EQ(m_settings.nRenameFormat, 3);
    EXPECT_EQ(m_settings.nDaysNew, 99);
    EXPECT_EQ(m_settings.nSlide, 0);
}

TEST_F(SettingsStore, ValuesOfAnotherRegistryTypeCountAsMissing) {
    ASSERT_TRUE(WriteRegistryString(L"Common", L"CopyMove", L"1"));
    ASSERT_TRUE(WriteRegistryValue(L"Option", L"GroupCount", REG_BINARY, {5, 0, 0, 0}));
    ASSERT_TRUE(WriteRegistryValue(L"Option", L"DaysNew", REG_QWORD, {9, 0, 0, 0, 0, 0, 0, 0}));
    ASSERT_TRUE(WriteRegistryDword(L"Option", L"LogFont", 5));
    ASSERT_TRUE(WriteRegistryString(L"Option", L"Slide", L"0"));
    ASSERT_TRUE(WriteRegistryValue(L"Common", L"AppBarState", REG_DWORD, {0, 0, 0, 0}));
    const BarSettings bar = LoadSettings(m_settings, DefaultState());
    EXPECT_EQ(bar.state, DefaultState());
    EXPECT_EQ(m_settings.nCopyMove, 0);
    EXPECT_EQ(bar.nGroupCount, 3);
    EXPECT_EQ(m_settings.nDaysNew, 1);
    EXPECT_EQ(m_settings.nSlide, 1);
    EXPECT_EQ(bar.logFont, LogFontRecord::Default());
}

TEST_F(SettingsStore, StoredValuesAreUsedAsReadExceptWhereTheyWouldHurtTheBar) {
    WriteRegistryDword(L"Option", L"GroupCount", 0);
    WriteRegistryDword(L"Option", L"RenameFormat", 7);
    WriteRegistryDword(L"Option", L"DisplayCount", 2);
    WriteRegistryDword(L"Common", L"SelGroup", 8);
    BarSettings bar = LoadSettings(m_settings, DefaultState());
    EXPECT_EQ(bar.nGroupCount, 1);
    EXPECT_EQ(bar.nSelGroup, 8);        // beyond the pages: used as read
    EXPECT_EQ(m_settings.nRenameFormat, 7);      // kept as stored; renaming uses format 0
    EXPECT_EQ(varolin::RenameFormatInUse(m_settings.nRenameFormat), 0);
    EXPECT_EQ(m_settings.nDisplayCount, 2);      // counts as off, but is kept
    EXPECT_EQ(ReadRegistryValue(L"Option", L"RenameFormat")->AsDword(), 7u);
}

TEST_F(SettingsStore, ShortAndLongBinaryValues) {
    // A stored docking record of 8 bytes replaces cbSize and the edge only; 49 bytes cannot
    // be read and leave the default.
    WriteRegistryValue(L"Common", L"AppBarState", REG_BINARY, {48, 0, 0, 0, 3, 0, 0, 0});
    varolin::AppBarState expected = DefaultState();
    expected.nEdge = varolin::Edge::Bottom;
    EXPECT_EQ(LoadSettings(m_settings, DefaultState()).state, expected);
    WriteRegistryValue(L"Common", L"AppBarState", REG_BINARY, std::vector<std::uint8_t>(49, 0));
    EXPECT_EQ(LoadSettings(m_settings, DefaultState()).state, DefaultState());

    // 40 bytes fill the first 40 bytes (how is a unit test's); the face is cut there.
    std::vector<std::uint8_t> forty = Bytes(LogFontRecord::Default().ToBytes());
    forty.resize(40);
    WriteRegistryValue(L"Option", L"LogFont", REG_BINARY, forty);
    EXPECT_EQ(ReadLogFont().FaceName().size(), 12u);

    // Longer than a LOGFONTA: the default.
    std::vector<std::uint8_t> longer(61, 1);
    WriteRegistryValue(L"Option", L"LogFont", REG_BINARY, longer);
    EXPECT_EQ(ReadLogFont(), LogFontRecord::Default());
}
