// CDudeLBMovingWnd: a borderless popup that stays under the mouse cursor.
// Whenever the cursor moves over it, or has escaped it by the next tick of
// timer 1, the derived class moves it back under the cursor; this class then
// injects a left-button-down, so the button stays logically pressed while
// the pointer runs (the derived stop releases it). The window is never
// activated, never takes the focus and has no taskbar button.
#pragma once

#include "framework/Wnd.h"

class CDudeLBMovingWnd : public CWnd {
public:
    static const UINT_PTR kFollowTimer = 1;

    // Derived classes move the window under the cursor first, then call this.
    virtual void FollowCursor();
    // Hands the window to the system's caption drag; derived starts call it first.
    virtual void StartMoving();
    virtual void StopMoving();

    BEGIN_MSG_MAP(CDudeLBMovingWnd)
        MSG_WM_CREATE(OnCreate)
        MSG_WM_SETCURSOR(OnSetCursor)
        MSG_WM_MOUSEACTIVATE(OnMouseActivate)
        MESSAGE_HANDLER(WM_ACTIVATE, OnSwallow)
        MESSAGE_HANDLER(WM_ACTIVATEAPP, OnSwallow)
        MESSAGE_HANDLER(WM_SETFOCUS, OnSwallow)
        MSG_WM_MOUSEMOVE(OnMouseMove)
        MSG_WM_TIMER(OnTimer)
    END_MSG_MAP()

protected:
    int OnCreate(LPCREATESTRUCTW cs);
    BOOL OnSetCursor(HWND, UINT, UINT) { return TRUE; }
    int OnMouseActivate(HWND, UINT, UINT) { return MA_NOACTIVATEANDEAT; }
    LRESULT OnSwallow(UINT, WPARAM, LPARAM, BOOL&) { return 0; }
    void OnMouseMove(UINT flags, POINT point);
    void OnTimer(UINT_PTR id);

    // Whether the cursor is inside the client area (right and bottom edges outside).
    bool IsCursorInside() const;
};
