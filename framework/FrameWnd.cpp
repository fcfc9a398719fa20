#include "FrameWnd.h"

#include "WinApp.h"

BOOL CFrameWnd::Create(LPCWSTR className, LPCWSTR windowName, DWORD style, HWND parent,
                       HMENU menu, DWORD exStyle)
{
    if (className == nullptr)
        className = DefaultFrameClass();
    return CreateEx(exStyle, className, windowName, style, CW_USEDEFAULT, CW_USEDEFAULT,
                    CW_USEDEFAULT, CW_USEDEFAULT, parent, menu);
}

LPCWSTR CFrameWnd::DefaultFrameClass()
{
    return RegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW,
                            ::LoadCursorW(nullptr, IDC_ARROW),
                            reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
}

void CFrameWnd::OnFinalMessage(HWND)
{
    CWinApp* app = AfxGetApp();
    if (app != nullptr && app->m_pMainWnd == this)
        ::PostQuitMessage(0);
}
