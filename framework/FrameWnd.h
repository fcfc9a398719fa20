// CFrameWnd: a top-level window created with the framework's default frame
// class (arrow cursor, window background) and the system's default rectangle.
// Derived frames handle WM_CREATE and WM_DESTROY and call OnCreate/OnDestroy
// of this class first, which give the message its default processing. When
// the application's main frame is destroyed (closed by the system, say), the
// message loop ends.
#pragma once

#include "Wnd.h"

class CFrameWnd : public CWnd {
public:
    BOOL Create(LPCWSTR className, LPCWSTR windowName, DWORD style = WS_OVERLAPPEDWINDOW,
                HWND parent = nullptr, HMENU menu = nullptr, DWORD exStyle = 0);

    // The frame class: CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, arrow cursor, window colour.
    static LPCWSTR DefaultFrameClass();

protected:
    int OnCreate(LPCREATESTRUCTW) { return static_cast<int>(Default()); }
    void OnDestroy() { Default(); }
    void OnFinalMessage(HWND hWnd) override;
};
