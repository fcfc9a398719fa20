// CLMIndicator: a 40 x 40 topmost popup in the top-left corner that shows for
// two seconds which function the function button now starts: a letter on a
// coloured square, or the program's emblem. It deletes itself when its time
// is up (or when its window is destroyed) and then clears the main frame's
// pointer to it.
#pragma once

#include "framework/Wnd.h"

#include <string>

class CLMIndicator : public CWnd {
public:
    static const int kSize = 40;

    CLMIndicator();
    ~CLMIndicator() override;

    // Creates the hidden window; false when that fails (the object is then the caller's).
    bool Create(HCURSOR classCursor);
    // -1 shows the emblem, 0..5 a function's letter; other values change nothing.
    void ShowFunction(int function);

    const std::wstring& Text() const { return m_text; }
    COLORREF Colour() const { return m_colour; }

    BEGIN_MSG_MAP(CLMIndicator)
        MSG_WM_CREATE(OnCreate)
        MSG_WM_PAINT(OnPaint)
        MSG_WM_TIMER(OnTimer)
        MSG_WM_SETCURSOR(OnSetCursor)
    END_MSG_MAP()

protected:
    void OnFinalMessage(HWND) override;

private:
    int OnCreate(LPCREATESTRUCTW cs);
    void OnPaint();
    void OnTimer(UINT_PTR id);
    BOOL OnSetCursor(HWND, UINT, UINT);

    std::wstring m_text;
    COLORREF m_colour = 0;
    HBITMAP m_emblem = nullptr;
};
