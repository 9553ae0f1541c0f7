#include "pages/GroupPage.h"

CGroupPage::CGroupPage(const std::wstring& appDir, int page, HWND owner)
    : m_file(appDir, page), m_unmade(m_file.Load(owner)) {}

void CGroupPage::MakeButtons(IButtonHost& host, UINT& nextId) {
    if (m_bMade) return;
    m_bMade = true;
    m_buttons.reserve(m_unmade.size());
    for (const varolin::ButtonRecord& record : m_unmade) m_buttons.push_back(std::make_unique<CDropBtn>(host, nextId++, record));
    m_unmade = {};
}

bool CGroupPage::Save(HWND owner) const {
    if (!m_bMade) return m_file.Save(owner, m_unmade);
    std::vector<varolin::ButtonRecord> records;
    records.reserve(m_buttons.size());
    for (const auto& button : m_buttons) records.push_back(button->Record());
    return m_file.Save(owner, records);
}
