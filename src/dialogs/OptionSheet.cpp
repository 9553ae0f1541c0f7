#include "dialogs/OptionSheet.h"

#include "settings/Settings.h"
#include "shell/LogFontW.h"
#include "dialogs/OptCommon.h"
#include "dialogs/OptFont.h"
#include "framework/PropertySheet.h"
#include "framework/Strings.h"
#include "resource.h"

bool RunOptionsSheet(CWnd* parent, const varolin::OptionValues& inForce, COLORREF crText, COLORREF crBack,
                     varolin::OptionValues& edited) {
    const varolin::OptionValues shown = varolin::SheetInputs(inForce);
    COptCommon common;
    common.m_nGroupCount = shown.groupCount;
    common.m_nDaysNew = shown.daysNew;
    common.m_bDisplayCount = shown.displayCount;
    common.m_nRenameFormat = shown.renameFormat;
    common.m_bRenameConfirm = shown.renameConfirm;
    common.m_nHotKey = shown.hotKey;
    COptFont font;
    font.m_crBack = crBack;
    font.m_crText = crText;
    font.m_logFont = ToLogFontW(inForce.logFont);

    CPropertySheet sheet(LoadStr(IDS_OPTIONS_CAPTION), parent, 0);
    sheet.AddPage(&common);
    sheet.AddPage(&font);
    if (sheet.DoModal() != IDOK) return false;

    varolin::OptionValues result = shown;
    result.groupCount = common.m_nGroupCount;
    result.daysNew = common.m_nDaysNew;
    result.displayCount = common.m_bDisplayCount;
    result.renameConfirm = common.m_bRenameConfirm;
    result.renameFormat = common.m_nRenameFormat;
    result.hotKey = common.m_nHotKey;
    // A font page never opened, or showing a face the screen lacks, hands back the very bytes.
    result.logFont = font.FontChosen() ? FromLogFontW(font.m_logFont) : inForce.logFont;
    edited = varolin::NormalisedOptions(result);
    return true;
}

varolin::OptionValues OptionsInForce(const AppSettings& settings, int groupCount, const varolin::LogFontRecord& logFont) {
    varolin::OptionValues values;
    values.groupCount = groupCount;
    values.daysNew = settings.nDaysNew;
    values.displayCount = settings.nDisplayCount;
    values.renameConfirm = settings.nRenameConfirm;
    values.renameFormat = settings.nRenameFormat;
    values.logFont = logFont;
    values.hotKey = settings.nHotKey;
    return values;
}

void StoreOptionChanges(AppSettings& settings, const varolin::OptionChanges& changes,
                        const varolin::OptionValues& edited) {
    const varolin::OptionValues values = varolin::NormalisedOptions(edited);
    if (changes.displayCount) {
        settings.nDisplayCount = values.displayCount;
        WriteIntSetting(varolin::kDisplayCount, settings.nDisplayCount);
    }
    if (changes.renameConfirm) {
        settings.nRenameConfirm = values.renameConfirm;
        WriteIntSetting(varolin::kRenameConfirm, settings.nRenameConfirm);
    }
    if (changes.renameFormat) {
        settings.nRenameFormat = values.renameFormat;
        WriteIntSetting(varolin::kRenameFormat, settings.nRenameFormat);
    }
    if (changes.daysNew) {
        settings.nDaysNew = values.daysNew;
        WriteIntSetting(varolin::kDaysNew, settings.nDaysNew);
    }
    if (changes.groupCount) WriteIntSetting(varolin::kGroupCount, values.groupCount);
    if (changes.logFont) WriteLogFont(values.logFont);
    if (changes.hotKey) {
        settings.nHotKey = values.hotKey;
        WriteIntSetting(varolin::kHotKey, settings.nHotKey);
    }
}
