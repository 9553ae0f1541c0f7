#pragma once
// CPageLabel: the bar's page label (a static control of the bar's template). Its colour tells
// what a plain drop does; screen readers are told the same in words, in its accessible name
// ("ページ 1 / 3、ドロップでコピー"), since its text is only the page number.
#include <windows.h>

#include <string>

#include "framework/NamedAccessible.h"
#include "framework/Wnd.h"

class CPageLabel : public CWnd {
public:
    // The name readers are given; they are told when it changes.
    void SetAccessibleName(std::wstring name);
    const std::wstring& AccessibleName() const { return m_strName; }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    void OnDestroy() override;

private:
    std::wstring m_strName;
    OwnedNamedAccessible m_accessible;  // made at a reader's first question
};
