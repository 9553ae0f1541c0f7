#include "app/Settings.h"

#include <vector>

#include "framework/Profile.h"

int g_nCopyMove = varolin::kCopyMove.defaultValue;
COLORREF g_crInitForeColor = static_cast<COLORREF>(varolin::kInitForeColor.defaultValue);
COLORREF g_crInitBackColor = static_cast<COLORREF>(varolin::kInitBackColor.defaultValue);
int g_nDisplayCount = varolin::kDisplayCount.defaultValue;
int g_nRenameConfirm = varolin::kRenameConfirm.defaultValue;
int g_nRenameFormat = varolin::kRenameFormat.defaultValue;
int g_nDaysNew = varolin::kDaysNew.defaultValue;
int g_nSlide = varolin::kSlide.defaultValue;

int ReadIntSetting(const varolin::IntSetting& setting) {
    return static_cast<int>(profile::GetProfileInt(setting.section, setting.name, setting.defaultValue));
}

bool WriteIntSetting(const varolin::IntSetting& setting, int value) {
    return profile::WriteProfileInt(setting.section, setting.name, value);
}

bool ReadAppBarState(varolin::AppBarState& state) {
    std::vector<BYTE> stored;
    if (!profile::GetProfileBinary(varolin::kSectionCommon, varolin::kAppBarStateName, stored) ||
        stored.size() > varolin::AppBarState::kSize)
        return false;
    state = varolin::AppBarStateFromStored(state, &stored);
    return true;
}

bool WriteAppBarState(const varolin::AppBarState& state) {
    varolin::AppBarState record = state;
    record.cbSize = varolin::AppBarState::kSize;
    const auto bytes = varolin::EncodeAppBarState(record);
    return profile::WriteProfileBinary(varolin::kSectionCommon, varolin::kAppBarStateName, bytes.data(), bytes.size());
}

varolin::LogFontRecord ReadLogFont() {
    std::vector<BYTE> stored;
    const bool found = profile::GetProfileBinary(varolin::kSectionOption, varolin::kLogFontName, stored);
    return varolin::LogFontFromStored(found ? &stored : nullptr);
}

bool WriteLogFont(const varolin::LogFontRecord& font) {
    const auto bytes = font.ToBytes();
    return profile::WriteProfileBinary(varolin::kSectionOption, varolin::kLogFontName, bytes.data(), bytes.size());
}

BarSettings LoadSettings(const varolin::AppBarState& defaultState) {
    BarSettings bar;
    bar.state = defaultState;
    bar.nSelGroup = ReadIntSetting(varolin::kSelGroup);
    g_nCopyMove = ReadIntSetting(varolin::kCopyMove);
    g_crInitForeColor = static_cast<COLORREF>(ReadIntSetting(varolin::kInitForeColor));
    g_crInitBackColor = static_cast<COLORREF>(ReadIntSetting(varolin::kInitBackColor));
    ReadAppBarState(bar.state);
    bar.nGroupCount = varolin::ClampGroupCount(ReadIntSetting(varolin::kGroupCount));
    g_nDisplayCount = ReadIntSetting(varolin::kDisplayCount);
    g_nRenameConfirm = ReadIntSetting(varolin::kRenameConfirm);
    g_nRenameFormat = ReadIntSetting(varolin::kRenameFormat);
    g_nDaysNew = ReadIntSetting(varolin::kDaysNew);
    g_nSlide = ReadIntSetting(varolin::kSlide);
    bar.logFont = ReadLogFont();
    return bar;
}
