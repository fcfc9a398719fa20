// Message maps: a readable table of handlers inside each window class.
//
//   BEGIN_MSG_MAP(CMyWnd)
//       MSG_WM_CREATE(OnCreate)
//       MESSAGE_HANDLER(WM_USER + 1, OnPing)
//       COMMAND_ID_HANDLER(32772, OnExit)
//       CHAIN_MSG_MAP(CWnd)
//   END_MSG_MAP()
//
// The map becomes the override of CWnd::ProcessWindowMessage. The first entry
// that handles a message ends the search; a message no entry handles gets the
// window's default processing. Raw handlers get the message parameters and may
// clear bHandled to let the search go on; cracked handlers (MSG_WM_...) get
// typed parameters and reach default processing through CWnd::Default().
#pragma once

#include <windows.h>
#include <windowsx.h>

// windowsx.h names a macro after the CWnd operation.
#undef SubclassWindow

#define BEGIN_MSG_MAP(theClass)                                                              \
public:                                                                                      \
    BOOL ProcessWindowMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult)     \
        override                                                                             \
    {                                                                                        \
        BOOL bHandled = TRUE;                                                                \
        (void)bHandled;                                                                      \
        (void)wParam;                                                                        \
        (void)lParam;

#define END_MSG_MAP() \
        return FALSE; \
    }

// LRESULT func(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled)
#define MESSAGE_HANDLER(msg, func)                              \
    if (uMsg == (msg)) {                                        \
        bHandled = TRUE;                                        \
        lResult = func(uMsg, wParam, lParam, bHandled);         \
        if (bHandled)                                           \
            return TRUE;                                        \
    }

// LRESULT func(WORD wNotifyCode, WORD wID, HWND hWndCtl, BOOL& bHandled)
#define COMMAND_ID_HANDLER(id, func)                                                    \
    if (uMsg == WM_COMMAND && LOWORD(wParam) == (id)) {                                 \
        bHandled = TRUE;                                                                \
        lResult = func(HIWORD(wParam), LOWORD(wParam), reinterpret_cast<HWND>(lParam),  \
                       bHandled);                                                       \
        if (bHandled)                                                                   \
            return TRUE;                                                                \
    }

#define CHAIN_MSG_MAP(theBase)                                             \
    if (theBase::ProcessWindowMessage(uMsg, wParam, lParam, lResult))     \
        return TRUE;

// Cracked handlers. Each answers the message with what the handler returns,
// or with 0 for handlers that return nothing.

// int func(LPCREATESTRUCTW)
#define MSG_WM_CREATE(func)                                                  \
    if (uMsg == WM_CREATE) {                                                 \
        lResult = static_cast<LRESULT>(func(reinterpret_cast<LPCREATESTRUCTW>(lParam))); \
        return TRUE;                                                         \
    }

// void func()
#define MSG_WM_DESTROY(func)   \
    if (uMsg == WM_DESTROY) {  \
        func();                \
        lResult = 0;           \
        return TRUE;           \
    }

// void func(UINT_PTR nIDEvent)
#define MSG_WM_TIMER(func)                            \
    if (uMsg == WM_TIMER) {                           \
        func(static_cast<UINT_PTR>(wParam));          \
        lResult = 0;                                  \
        return TRUE;                                  \
    }

// void func()
#define MSG_WM_PAINT(func)   \
    if (uMsg == WM_PAINT) {  \
        func();              \
        lResult = 0;         \
        return TRUE;         \
    }

// void func(UINT nFlags, POINT point), point in client coordinates
#define MSG_MOUSE_HANDLER_(msg, func)                                            \
    if (uMsg == (msg)) {                                                         \
        func(static_cast<UINT>(wParam), POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}); \
        lResult = 0;                                                             \
        return TRUE;                                                             \
    }
#define MSG_WM_MOUSEMOVE(func) MSG_MOUSE_HANDLER_(WM_MOUSEMOVE, func)
#define MSG_WM_LBUTTONDOWN(func) MSG_MOUSE_HANDLER_(WM_LBUTTONDOWN, func)
#define MSG_WM_LBUTTONUP(func) MSG_MOUSE_HANDLER_(WM_LBUTTONUP, func)
#define MSG_WM_RBUTTONDOWN(func) MSG_MOUSE_HANDLER_(WM_RBUTTONDOWN, func)

// BOOL func(HWND hWnd, UINT nHitTest, UINT message)
#define MSG_WM_SETCURSOR(func)                                                              \
    if (uMsg == WM_SETCURSOR) {                                                             \
        lResult = func(reinterpret_cast<HWND>(wParam), LOWORD(lParam), HIWORD(lParam));     \
        return TRUE;                                                                        \
    }

// int func(HWND hDesktopWnd, UINT nHitTest, UINT message)
#define MSG_WM_MOUSEACTIVATE(func)                                                          \
    if (uMsg == WM_MOUSEACTIVATE) {                                                         \
        lResult = func(reinterpret_cast<HWND>(wParam), LOWORD(lParam), HIWORD(lParam));     \
        return TRUE;                                                                        \
    }
