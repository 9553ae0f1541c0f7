#include "dialogs/PrpSheet.h"

#include "dialogs/PrpColor.h"
#include "dialogs/PrpText.h"
#include "framework/PropertySheet.h"
#include "framework/Strings.h"
#include "resource.h"

bool RunButtonProperties(CWnd* button, varolin::ButtonRecord& record, HFONT titleFont) {
    CPropertySheet sheet(LoadStr(IDS_PROPERTIES_CAPTION), button, 0);
    CPrpText textPage;
    CPrpColor colorPage;
    sheet.AddPage(&textPage);
    sheet.AddPage(&colorPage);

    textPage.m_strTitle = record.m_strTitle;
    textPage.m_strFolder = record.m_strFolder;
    textPage.m_strProgram = record.m_strProgram;
    textPage.m_bNoDrop = record.m_bNoDrop ? 1 : 0;
    colorPage.m_strPreviewText = record.m_strTitle;
    colorPage.m_hPreviewFont = titleFont;
    colorPage.m_crText = record.m_crText;
    colorPage.m_crBack = record.m_crBack;

    if (sheet.DoModal() != IDOK) return false;

    record.SetTitle(textPage.m_strTitle);
    record.SetFolder(textPage.m_strFolder);
    record.SetProgram(textPage.m_strProgram);
    record.m_crBack = colorPage.m_crBack;
    record.m_crText = colorPage.m_crText;
    // Stored only when it changes: a stored nonzero other than 1 still means "refuse".
    if ((record.m_bNoDrop != 0) != (textPage.m_bNoDrop != 0)) record.m_bNoDrop = textPage.m_bNoDrop ? 1 : 0;
    return true;
}
