#include "bar/PageLabel.h"

#include <utility>

void CPageLabel::SetAccessibleName(std::wstring name) {
    if (name == m_strName) return;
    m_strName = std::move(name);
    if (m_accessible) m_accessible.Get()->SetName(m_strName);
    if (m_hWnd) NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, m_hWnd, OBJID_CLIENT, CHILDID_SELF);
}

void CPageLabel::OnDestroy() {
    m_accessible.Reset();
    CWnd::OnDestroy();
}

LRESULT CPageLabel::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    // OBJID_CLIENT arrives as a 32-bit value: compare it as one.
    if (msg != WM_GETOBJECT || static_cast<LONG>(lp) != static_cast<LONG>(OBJID_CLIENT)) return CWnd::WindowProc(msg, wp, lp);
    if (!m_accessible) m_accessible.Reset(CNamedAccessible::Make(m_hWnd, m_strName));
    if (!m_accessible) return CWnd::WindowProc(msg, wp, lp);
    return LresultFromObject(__uuidof(IAccessible), wp, static_cast<IAccessible*>(m_accessible.Get()));
}
