#pragma once
// CWnd: one object bound to one window. Messages reach virtual On* handlers whose base
// versions fall back to the window's default (or original) procedure.
#include <windows.h>
#include <cstddef>
#include <string>

// The whole text of any window (a control's, a dialog's caption).
std::wstring WindowText(HWND wnd);

class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;

    // The object bound to a window by this framework, or nullptr.
    static CWnd* FromHandle(HWND wnd);
    // The procedure to register for window classes whose windows are CWnd objects.
    static LRESULT CALLBACK StaticWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);

    // Creates a window of a class registered with StaticWndProc and binds it to this object.
    bool CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style,
                  const RECT& rect, HWND parent, UINT id);
    // Binds an existing window (a dialog control) and routes its messages through this object.
    bool SubclassWindow(HWND wnd);
    bool SubclassDlgItem(UINT id, CWnd* parent);
    bool DestroyWindow();

    LRESULT SendMessage(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const { return ::SendMessageW(m_hWnd, msg, wp, lp); }
    bool PostMessage(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const { return ::PostMessageW(m_hWnd, msg, wp, lp) != FALSE; }
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    void Invalidate(bool erase = true) const { ::InvalidateRect(m_hWnd, nullptr, erase); }
    bool ShowWindow(int cmd) const { return ::ShowWindow(m_hWnd, cmd) != FALSE; }
    bool IsWindowVisible() const { return ::IsWindowVisible(m_hWnd) != FALSE; }
    RECT GetClientRect() const;
    RECT GetWindowRect() const;
    void SetWindowText(const wchar_t* text) const { ::SetWindowTextW(m_hWnd, text); }
    std::wstring GetWindowText() const { return WindowText(m_hWnd); }

protected:
    // Dispatches to the handlers below; override to handle further messages and call the base
    // for the rest.
    virtual LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp);
    // Runs the default (or original) procedure for the message being handled.
    LRESULT Default();
    // Called after WM_NCDESTROY, with m_hWnd already null: self-owned windows delete this.
    virtual void PostNcDestroy() {}

    virtual int OnCreate(CREATESTRUCTW* cs);
    virtual void OnDestroy();
    virtual void OnPaint();
    virtual BOOL OnEraseBkgnd(HDC dc);
    virtual void OnSize(UINT type, int cx, int cy);
    virtual void OnTimer(UINT_PTR id);
    virtual BOOL OnCommand(WPARAM wp, LPARAM lp);
    virtual BOOL OnNotify(WPARAM wp, LPARAM lp, LRESULT* result);
    virtual void OnContextMenu(HWND wnd, POINT screenPoint);
    virtual void OnLButtonDown(UINT flags, POINT point);
    virtual void OnLButtonUp(UINT flags, POINT point);
    virtual void OnRButtonDown(UINT flags, POINT point);
    virtual HBRUSH OnCtlColor(HDC dc, HWND control, UINT ctlColorMsg);
    virtual void OnActivate(UINT state, HWND other, BOOL minimized);
    virtual void OnWindowPosChanging(WINDOWPOS* pos);
    virtual void OnWindowPosChanged(WINDOWPOS* pos);
    virtual LRESULT OnNcHitTest(POINT screenPoint);
    virtual void OnGetMinMaxInfo(MINMAXINFO* info);
    virtual void OnSysCommand(UINT id, LPARAM lp);

    // Owner-draw requests that a parent reflects to its control's object.
    virtual void DrawItem(DRAWITEMSTRUCT*) {}
    virtual void MeasureItem(MEASUREITEMSTRUCT*) {}
    virtual void DeleteItem(DELETEITEMSTRUCT*) {}

    // Binds this object to a window (used by the creation and dialog paths).
    void Attach(HWND wnd);
    static LRESULT CALLBACK SubclassProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
    WNDPROC m_oldProc = nullptr;  // the original procedure of a subclassed window

private:
    LRESULT Dispatch(UINT msg, WPARAM wp, LPARAM lp);
    bool ReflectOwnerDraw(UINT msg, WPARAM wp, LPARAM lp);
    static LRESULT Route(CWnd* wnd, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

    struct CurrentMessage {
        UINT msg;
        WPARAM wp;
        LPARAM lp;
    };
    CurrentMessage m_current{};
};
