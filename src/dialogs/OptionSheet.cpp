#include "dialogs/OptionSheet.h"

#include "app/AppGlobals.h"
#include "app/Settings.h"
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
    // A font page never opened, or showing a face the screen lacks, hands back the very bytes.
    result.logFont = font.FontChosen() ? FromLogFontW(font.m_logFont) : inForce.logFont;
    edited = varolin::NormalisedOptions(result);
    return true;
}

varolin::OptionValues OptionsInForce(int groupCount, const varolin::LogFontRecord& logFont) {
    varolin::OptionValues values;
    values.groupCount = groupCount;
    values.daysNew = g_nDaysNew;
    values.displayCount = g_nDisplayCount;
    values.renameConfirm = g_nRenameConfirm;
    values.renameFormat = g_nRenameFormat;
    values.logFont = logFont;
    return values;
}

void StoreOptionChanges(const varolin::OptionChanges& changes, const varolin::OptionValues& edited) {
    const varolin::OptionValues values = varolin::NormalisedOptions(edited);
    if (changes.displayCount) {
        g_nDisplayCount = values.displayCount;
        WriteIntSetting(varolin::kDisplayCount, g_nDisplayCount);
    }
    if (changes.renameConfirm) {
        g_nRenameConfirm = values.renameConfirm;
        WriteIntSetting(varolin::kRenameConfirm, g_nRenameConfirm);
    }
    if (changes.renameFormat) {
        g_nRenameFormat = values.renameFormat;
        WriteIntSetting(varolin::kRenameFormat, g_nRenameFormat);
    }
    if (changes.daysNew) {
        g_nDaysNew = values.daysNew;
        WriteIntSetting(varolin::kDaysNew, g_nDaysNew);
    }
    if (changes.groupCount) WriteIntSetting(varolin::kGroupCount, values.groupCount);
    if (changes.logFont) WriteLogFont(values.logFont);
}
