#pragma once
// Move-only owners for handles, and for windows no CWnd object is bound to. A raw handle member
// elsewhere is borrowed.
#include <windows.h>
#include <utility>

template <typename H, typename Closer>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(H h) : m_h(h) {}
    ~UniqueHandle() { Reset(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : m_h(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }

    H Get() const { return m_h; }
    explicit operator bool() const { return m_h != H{} && m_h != Closer::Invalid(); }
    H Release() { return std::exchange(m_h, H{}); }
    void Reset(H h = H{}) {
        if (*this) Closer::Close(m_h);
        m_h = h;
    }

private:
    H m_h{};
};

namespace handle_closers {
struct Icon {
    static void Close(HICON h) { DestroyIcon(h); }
    static HICON Invalid() { return nullptr; }
};
struct Menu {
    static void Close(HMENU h) { DestroyMenu(h); }
    static HMENU Invalid() { return nullptr; }
};
struct Key {
    static void Close(HKEY h) { RegCloseKey(h); }
    static HKEY Invalid() { return nullptr; }
};
struct Kernel {
    static void Close(HANDLE h) { CloseHandle(h); }
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
};
struct Find {
    static void Close(HANDLE h) { FindClose(h); }
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
};
struct Dc {
    static void Close(HDC h) { DeleteDC(h); }
    static HDC Invalid() { return nullptr; }
};
struct Window {
    static void Close(HWND h) { DestroyWindow(h); }
    static HWND Invalid() { return nullptr; }
};
}  // namespace handle_closers

template <typename H>
struct GdiCloser {
    static void Close(H h) { DeleteObject(h); }
    static H Invalid() { return nullptr; }
};

using OwnedFont = UniqueHandle<HFONT, GdiCloser<HFONT>>;
using OwnedBrush = UniqueHandle<HBRUSH, GdiCloser<HBRUSH>>;
using OwnedBitmap = UniqueHandle<HBITMAP, GdiCloser<HBITMAP>>;
using OwnedPalette = UniqueHandle<HPALETTE, GdiCloser<HPALETTE>>;
using OwnedIcon = UniqueHandle<HICON, handle_closers::Icon>;
using OwnedMenu = UniqueHandle<HMENU, handle_closers::Menu>;
using OwnedKey = UniqueHandle<HKEY, handle_closers::Key>;
using OwnedHandle = UniqueHandle<HANDLE, handle_closers::Kernel>;  // files, mutexes, events
using OwnedFindHandle = UniqueHandle<HANDLE, handle_closers::Find>;
using OwnedDC = UniqueHandle<HDC, handle_closers::Dc>;               // memory DCs
// A window no object is bound to (a control made by code, such as a tooltip); it must go on
// the thread that made it, before the window that owns it.
using OwnedWindow = UniqueHandle<HWND, handle_closers::Window>;

// Selects a GDI object into a DC for one scope.
class SelectScope {
public:
    SelectScope(HDC dc, HGDIOBJ obj) : m_dc(dc), m_old(SelectObject(dc, obj)) {}
    ~SelectScope() { SelectObject(m_dc, m_old); }
    SelectScope(const SelectScope&) = delete;
    SelectScope& operator=(const SelectScope&) = delete;

private:
    HDC m_dc;  // borrowed
    HGDIOBJ m_old;
};

// BeginPaint / EndPaint for one WM_PAINT.
class PaintScope {
public:
    explicit PaintScope(HWND wnd) : m_wnd(wnd) { m_dc = BeginPaint(wnd, &m_ps); }
    ~PaintScope() { EndPaint(m_wnd, &m_ps); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    HDC Dc() const { return m_dc; }
    // What is to be painted, in client coordinates.
    const RECT& Area() const { return m_ps.rcPaint; }

private:
    HWND m_wnd;  // borrowed
    HDC m_dc;
    PAINTSTRUCT m_ps{};
};

// GetDC / ReleaseDC for one scope (nullptr window: the screen).
class WindowDC {
public:
    explicit WindowDC(HWND wnd) : m_wnd(wnd), m_dc(GetDC(wnd)) {}
    ~WindowDC() { ReleaseDC(m_wnd, m_dc); }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC Get() const { return m_dc; }

private:
    HWND m_wnd;  // borrowed
    HDC m_dc;
};
