#pragma once
// One main bar per test: modeless, against the simulated shell (one 1024 x 768 monitor at the
// system's DPI), with its group files in a temporary folder and its settings in a clean
// registry key. The bar is observed as a user, a
// file or the shell would see it: its windows, label, menu, group files and registry values.
#include <windows.h>
#include <oleacc.h>
#include <commctrl.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "bar/MainBar.h"
#include "model/GroupCodec.h"
#include "model/SystemCodePage.h"
#include "resource.h"
#include "settings/Settings.h"
#include "pages/PageView.h"
#include "support/ButtonHost.h"
#include "support/DialogAnswerer.h"
#include "support/SheetScript.h"
#include "support/SimulatedShell.h"
#include "support/TempFolder.h"
#include "support/TestRegistry.h"

class MainBarFixture : public CleanRegistryTest {
protected:
    void SetUp() override {
        CleanRegistryTest::SetUp();
        m_settings.strAppDir = m_dir.Path();
    }
    void TearDown() override {
        if (m_bar && m_bar->m_hWnd) m_bar->DestroyWindow();
        m_bar.reset();
        CleanRegistryTest::TearDown();
    }

    void StartBar() {
        m_bar = std::make_unique<CMainBar>(m_settings, nullptr, &m_shell);
        EXPECT_TRUE(m_bar->Create(nullptr));
        // The bar is a dialog too: only the boxes it opens are to be answered.
        m_answerer.emplace();
        m_answerer->Ignore(m_bar->m_hWnd);
    }
    HWND Bar() const { return m_bar->m_hWnd; }
    void Command(UINT id) const { SendMessageW(Bar(), WM_COMMAND, id, 0); }
    // Runs the options command with one step on its sheet; false when the step did not run.
    bool Options(SheetStep step) {
        // Nothing left to paint, the page view included, but what the command invalidates.
        RedrawWindow(Bar(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        m_answerer->Answer(kLeaveSheetOpen);
        SheetScript script(L"オプション", {std::move(step)});
        Command(ID_BAR_OPTIONS);
        return script.AllRan();
    }

    void WritePage(int page, const std::vector<std::wstring>& folders) {
        std::vector<varolin::ButtonRecord> records;
        for (const std::wstring& folder : folders) records.push_back(varolin::ButtonRecord::ForPath(folder, 0, 0xFFFFFF));
        ASSERT_TRUE(m_dir.WriteFile(varolin::GroupFileName(page), varolin::EncodeGroupFile(records, SystemAnsiCodePage())));
    }
    // The buttons a page's group file holds, in display order.
    std::vector<varolin::ButtonRecord> StoredButtons(int page) const {
        const std::string bytes = FileBytes(m_dir / varolin::GroupFileName(page));
        const std::vector<std::uint8_t> data(bytes.begin(), bytes.end());
        return varolin::DecodeGroupFile(data, SystemAnsiCodePage()).records;
    }

    // The window that shows the current page's buttons, and whether it shows.
    CPageView* View() const { return m_bar->View(); }
    bool ViewShown() const { return IsWindowVisible(View()->m_hWnd) != FALSE; }
    static std::vector<HWND> Children(HWND parent) {
        std::vector<HWND> children;
        for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) children.push_back(child);
        return children;
    }

    std::wstring Label() const { return WindowText(GetDlgItem(Bar(), IDC_PAGE_LABEL)); }
    // What a screen reader calls the label ("<error>" when it finds no object).
    std::wstring LabelName() const {
        IAccessible* label = nullptr;
        if (FAILED(AccessibleObjectFromWindow(GetDlgItem(Bar(), IDC_PAGE_LABEL), static_cast<DWORD>(OBJID_CLIENT),
                                              __uuidof(IAccessible), reinterpret_cast<void**>(&label))))
            return L"<error>";
        VARIANT self;
        VariantInit(&self);
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        BSTR name = nullptr;
        const HRESULT hr = label->get_accName(self, &name);
        label->Release();
        std::wstring result = SUCCEEDED(hr) && name ? std::wstring(name, SysStringLen(name)) : L"<error>";
        SysFreeString(name);
        return result;
    }
    // The colour the page label is painted on.
    COLORREF LabelColor() const {
        HDC dc = GetDC(Bar());
        const auto brush = reinterpret_cast<HBRUSH>(SendMessageW(Bar(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                                                 reinterpret_cast<LPARAM>(GetDlgItem(Bar(), IDC_PAGE_LABEL))));
        ReleaseDC(Bar(), dc);
        LOGBRUSH info{};
        GetObjectW(brush, sizeof(info), &info);
        return info.lbColor;
    }
    // A click on the spin's right (+1) or left (-1) arrow.
    void Step(int delta) const {
        NMUPDOWN change{};
        change.hdr.hwndFrom = GetDlgItem(Bar(), IDC_PAGE_SPIN);
        change.hdr.idFrom = IDC_PAGE_SPIN;
        change.hdr.code = UDN_DELTAPOS;
        change.iDelta = delta;
        SendMessageW(Bar(), WM_NOTIFY, IDC_PAGE_SPIN, reinterpret_cast<LPARAM>(&change));
    }

    // The bar's drop target, as a drag from another program finds it on the window.
    IDropTarget* DropTarget() const { return static_cast<IDropTarget*>(GetPropW(Bar(), L"OleDropTargetInterface")); }

    // Opens the bar's menu with a right click and closes it unchosen. Gives its marks as they
    // showed: sort greyed (MF_GRAYED); copy, move radio-checked (MFT_RADIOCHECK | MF_CHECKED);
    // always on top, auto-hide, slide checked (MF_CHECKED).
    std::vector<UINT> OpenMenu() const {
        Marks().clear();
        HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, &ReadMenu, nullptr, GetCurrentThreadId());
        SendMessageW(Bar(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Bar()), MAKELPARAM(100, 10));
        UnhookWindowsHookEx(hook);
        return Marks();
    }
    static constexpr UINT kRadio = MFT_RADIOCHECK | MF_CHECKED;
    // The texts of "add button" and "exit" in the menu opened last.
    static std::vector<std::wstring>& MenuTexts() {
        static std::vector<std::wstring> texts;
        return texts;
    }

    TempFolder m_dir;
    AppSettings m_settings;
    varolin::SimulatedShell m_shell{static_cast<int>(GetDpiForSystem())};
    std::unique_ptr<CMainBar> m_bar;
    std::optional<DialogAnswerer> m_answerer;

private:
    static std::vector<UINT>& Marks() {  // one menu is open at a time
        static std::vector<UINT> marks;
        return marks;
    }
    // Reads the menu as it is about to show, then has it closed.
    static LRESULT CALLBACK ReadMenu(int code, WPARAM wp, LPARAM lp) {
        const auto* call = reinterpret_cast<const CWPSTRUCT*>(lp);
        if (code == HC_ACTION && call->message == WM_INITMENUPOPUP) {
            const auto menu = reinterpret_cast<HMENU>(call->wParam);
            auto mark = [menu](UINT id, UINT bits) { return GetMenuState(menu, id, MF_BYCOMMAND) & bits; };
            Marks() = {mark(ID_BAR_SORT, MF_GRAYED), mark(ID_BAR_DROP_COPY, kRadio), mark(ID_BAR_DROP_MOVE, kRadio),
                       mark(ID_BAR_ALWAYS_ON_TOP, MF_CHECKED), mark(ID_BAR_AUTO_HIDE, MF_CHECKED),
                       mark(ID_BAR_SLIDE, MF_CHECKED)};
            MenuTexts().clear();
            for (UINT id : {ID_BAR_ADD_BUTTON, ID_BAR_EXIT}) {
                wchar_t text[128]{};
                GetMenuStringW(menu, id, text, 128, MF_BYCOMMAND);
                MenuTexts().push_back(text);
            }
            PostMessageW(call->hwnd, WM_CANCELMODE, 0, 0);
        }
        return CallNextHookEx(nullptr, code, wp, lp);
    }
};
