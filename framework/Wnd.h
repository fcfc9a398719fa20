// CWnd: a C++ object bound to one window handle.
//
// Windows of our own classes all share one window procedure, which finds the
// object for a handle through a window property. While CreateEx runs, the
// object waits in a thread-local slot, so even WM_NCCREATE reaches it. An
// existing window (a dialog control) is bound with SubclassWindow. Messages go
// through the class's message map (ProcessWindowMessage); what no entry
// handles gets default processing. After WM_NCDESTROY the handle is cleared
// and OnFinalMessage runs: a window that owns itself deletes itself there.
#pragma once

#include "MessageMap.h"
#include "Object.h"

#include <windows.h>

class CWnd : public CObject {
public:
    CWnd() = default;
    ~CWnd() override;

    HWND m_hWnd = nullptr;
    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

    // Registers (once) a window class of this framework with the given class
    // style, cursor, background brush and icon, and returns its name.
    static LPCWSTR RegisterWndClass(UINT classStyle, HCURSOR cursor = nullptr,
                                    HBRUSH background = nullptr, HICON icon = nullptr);

    // Creates the window and binds it to this object. A window of a class
    // that is not ours is bound by subclassing it after creation.
    BOOL CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x,
                  int y, int width, int height, HWND parent, HMENU menu,
                  LPVOID param = nullptr);
    BOOL DestroyWindow();

    // Binds an existing window (a control of a dialog) through SetWindowSubclass.
    BOOL SubclassWindow(HWND hWnd);
    HWND UnsubclassWindow();

    // The object bound to a window, or null.
    static CWnd* FromHandlePermanent(HWND hWnd);

    // The message map; the base handles nothing.
    virtual BOOL ProcessWindowMessage(UINT uMsg, WPARAM wParam, LPARAM lParam,
                                      LRESULT& lResult);

    // Default processing of the message being dispatched, with its own parameters.
    LRESULT Default();

    BOOL IsWindow() const { return m_hWnd != nullptr && ::IsWindow(m_hWnd); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    BOOL ShowWindow(int cmd) { return ::ShowWindow(m_hWnd, cmd); }
    BOOL SetWindowPos(HWND insertAfter, int x, int y, int cx, int cy, UINT flags)
    {
        return ::SetWindowPos(m_hWnd, insertAfter, x, y, cx, cy, flags);
    }
    BOOL GetClientRect(RECT* rect) const { return ::GetClientRect(m_hWnd, rect); }
    BOOL Invalidate(BOOL erase = TRUE) { return ::InvalidateRect(m_hWnd, nullptr, erase); }
    BOOL InvalidateRect(const RECT* rect, BOOL erase = TRUE)
    {
        return ::InvalidateRect(m_hWnd, rect, erase);
    }
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse) { return ::SetTimer(m_hWnd, id, elapse, nullptr); }
    BOOL KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }
    LRESULT SendMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        return ::SendMessageW(m_hWnd, msg, wParam, lParam);
    }
    BOOL PostMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        return ::PostMessageW(m_hWnd, msg, wParam, lParam);
    }
    // Removes, then adds extended style bits.
    void ModifyStyleEx(DWORD remove, DWORD add);

protected:
    // Runs the message map, and default processing for what it leaves.
    virtual LRESULT WindowProc(UINT uMsg, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT uMsg, WPARAM wParam, LPARAM lParam);
    // Called once the window is gone (after WM_NCDESTROY); m_hWnd is null by then.
    virtual void OnFinalMessage(HWND hWnd);

private:
    struct CurrentMessage {
        UINT msg;
        WPARAM wParam;
        LPARAM lParam;
    };

    LRESULT Dispatch(UINT uMsg, WPARAM wParam, LPARAM lParam);
    void Bind(HWND hWnd);
    void Unbind();

    static LRESULT CALLBACK StaticWndProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK StaticSubclassProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR,
                                               DWORD_PTR);

    CurrentMessage m_current = {};
    bool m_subclassed = false;
};
