// CPageView: its buttons' tooltips.
#include "buttons/DropBtn.h"
#include "pages/GroupPage.h"
#include "pages/PageView.h"
#include "shell/ButtonStyle.h"

std::wstring CPageView::TipText(UINT id) const {
    const CDropBtn* button = Find(id);
    if (!button) return {};
    const varolin::ButtonRecord& record = button->Record();
    return record.m_strProgram.empty() ? record.m_strFolder : record.m_strFolder + L"\r\n" + record.m_strProgram;
}

void CPageView::UpdateTips() {
    std::vector<CPageTips::Tool> tools;
    if (m_pPage)
        for (const auto& button : m_pPage->Buttons()) tools.push_back({button->Id(), button->Rect()});
    m_tips.SetTools(std::move(tools));
    m_tips.SetDpi(m_style.Dpi());
}

void CPageView::RelayToTips(UINT msg, WPARAM wp, LPARAM lp) {
    // The bar's DPI may have changed without the view changing size.
    if (msg == WM_MOUSEMOVE) m_tips.SetDpi(m_style.Dpi());
    m_tips.Relay(msg, wp, lp);
}

BOOL CPageView::OnNotify(WPARAM wp, LPARAM lp, LRESULT* result) {
    if (m_tips.OnNotify(*reinterpret_cast<NMHDR*>(lp))) {
        *result = 0;
        return TRUE;
    }
    return CWnd::OnNotify(wp, lp, result);
}
