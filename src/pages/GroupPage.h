#pragma once
// CGroupPage: one page of folder buttons as data, without a window. Its group file is read when
// the page is made, so that a damaged file is reported at start and the bar knows the count;
// its buttons are made when a view first shows the page (see CPageView).
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "buttons/DropBtn.h"
#include "model/GroupFile.h"

class IButtonHost;

class CGroupPage {
public:
    // Reads page `page`'s file in `appDir`; `owner` owns the message about a damaged file.
    CGroupPage(const std::wstring& appDir, int page, HWND owner);
    CGroupPage(const CGroupPage&) = delete;
    CGroupPage& operator=(const CGroupPage&) = delete;

    int ButtonCount() const { return m_bMade ? static_cast<int>(m_buttons.size()) : static_cast<int>(m_unmade.size()); }
    // Makes the buttons of the records read (once), shown by `host`, numbered from `nextId` on.
    // A page's buttons always belong to the one view that first showed it.
    void MakeButtons(IButtonHost& host, UINT& nextId);
    // The buttons in display order, once made.
    std::vector<std::unique_ptr<CDropBtn>>& Buttons() { return m_buttons; }
    const std::vector<std::unique_ptr<CDropBtn>>& Buttons() const { return m_buttons; }
    // Writes the page's file (deleting it when the page is empty); `owner` owns a failure's message.
    bool Save(HWND owner) const;

private:
    GroupFile m_file;
    std::vector<varolin::ButtonRecord> m_unmade;  // the page as loaded, until its buttons are made
    std::vector<std::unique_ptr<CDropBtn>> m_buttons;
    bool m_bMade = false;
};
