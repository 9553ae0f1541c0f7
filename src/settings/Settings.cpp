#include "settings/Settings.h"

#include <vector>

#include "framework/Profile.h"

int ReadIntSetting(const varolin::IntSetting& setting) {
    return static_cast<int>(profile::GetProfileInt(setting.section, setting.name, setting.defaultValue));
}

bool WriteIntSetting(const varolin::IntSetting& setting, int value) {
    return profile::WriteProfileInt(setting.section, setting.name, value);
}

bool ReadAppBarState(varolin::AppBarState& state, int dpi) {
    std::vector<BYTE> stored;
    if (!profile::GetProfileBinary(varolin::kSectionCommon, varolin::kAppBarStateName, stored) ||
        stored.size() > varolin::AppBarState::kSize)
        return false;
    std::vector<BYTE> dpiRecord;
    const bool recorded = profile::GetProfileBinary(varolin::kSectionCommon, varolin::kAppBarDpiName, dpiRecord);
    const int storedDpi = varolin::StoredAppBarDpi(&stored, recorded ? &dpiRecord : nullptr);
    state = varolin::AppBarStateFromStored(state, &stored, storedDpi, dpi);
    return true;
}

bool WriteAppBarState(const varolin::AppBarState& state, int dpi) {
    varolin::AppBarState record = state;
    record.cbSize = varolin::AppBarState::kSize;
    const auto bytes = varolin::EncodeAppBarState(record);
    const auto dpiRecord = varolin::EncodeAppBarDpi(dpi, record);
    return profile::WriteProfileBinary(varolin::kSectionCommon, varolin::kAppBarStateName, bytes.data(), bytes.size()) &&
           profile::WriteProfileBinary(varolin::kSectionCommon, varolin::kAppBarDpiName, dpiRecord.data(), dpiRecord.size());
}

std::optional<varolin::MonitorPlace> ReadAppBarMonitor() {
    std::vector<BYTE> stored;
    const bool found = profile::GetProfileBinary(varolin::kSectionCommon, varolin::kAppBarMonitorName, stored);
    return varolin::DecodeMonitorPlace(found ? &stored : nullptr);
}

bool WriteAppBarMonitor(const varolin::MonitorPlace& place) {
    const auto bytes = varolin::EncodeMonitorPlace(place);
    return profile::WriteProfileBinary(varolin::kSectionCommon, varolin::kAppBarMonitorName, bytes.data(), bytes.size());
}

varolin::LogFontRecord ReadLogFont() {
    std::vector<BYTE> stored;
    const bool found = profile::GetProfileBinary(varolin::kSectionOption, varolin::kLogFontName, stored);
    return varolin::LogFontFromStored(found ? &stored : nullptr, GetACP());
}

bool WriteLogFont(const varolin::LogFontRecord& font) {
    const auto bytes = font.ToBytes();
    return profile::WriteProfileBinary(varolin::kSectionOption, varolin::kLogFontName, bytes.data(), bytes.size());
}

BarSettings LoadSettings(AppSettings& settings, const varolin::AppBarState& defaultState, int dpi) {
    BarSettings bar;
    bar.state = defaultState;
    bar.nSelGroup = ReadIntSetting(varolin::kSelGroup);
    settings.nCopyMove = ReadIntSetting(varolin::kCopyMove);
    settings.crInitForeColor = static_cast<COLORREF>(ReadIntSetting(varolin::kInitForeColor));
    settings.crInitBackColor = static_cast<COLORREF>(ReadIntSetting(varolin::kInitBackColor));
    ReadAppBarState(bar.state, dpi);
    bar.monitor = ReadAppBarMonitor();
    settings.nHotKey = ReadIntSetting(varolin::kHotKey);
    bar.nGroupCount = varolin::ClampGroupCount(ReadIntSetting(varolin::kGroupCount));
    settings.nDisplayCount = ReadIntSetting(varolin::kDisplayCount);
    settings.nRenameConfirm = ReadIntSetting(varolin::kRenameConfirm);
    settings.nRenameFormat = ReadIntSetting(varolin::kRenameFormat);
    settings.nDaysNew = ReadIntSetting(varolin::kDaysNew);
    settings.nSlide = ReadIntSetting(varolin::kSlide);
    bar.logFont = ReadLogFont();
    return bar;
}
