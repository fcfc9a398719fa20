#include "DudeLBMovingWnd.h"

#include "app/MainFrame.h"

int CDudeLBMovingWnd::OnCreate(LPCREATESTRUCTW)
{
    if (Default() == -1)
        return -1;
    ModifyStyleEx(WS_EX_APPWINDOW, WS_EX_TOOLWINDOW);
    return 0;
}

bool CDudeLBMovingWnd::IsCursorInside() const
{
    POINT cursor = {};
    RECT client = {};
    if (!::GetCursorPos(&cursor) || !GetClientRect(&client))
        return false;
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
    return ::PtInRect(&client, cursor) != FALSE;
}

void CDudeLBMovingWnd::FollowCursor()
{
    CMainFrame* frame = CMainFrame::Get();
    if (frame != nullptr && frame->IsSelectorShowing())
        return;
    if (IsCursorInside())
        ::mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, ::GetMessageExtraInfo());
}

void CDudeLBMovingWnd::StartMoving()
{
    SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

void CDudeLBMovingWnd::StopMoving()
{
}

void CDudeLBMovingWnd::OnMouseMove(UINT, POINT)
{
    if (IsWindowVisible())
        FollowCursor();
    Default();
}

void CDudeLBMovingWnd::OnTimer(UINT_PTR id)
{
    if (id == kFollowTimer && !IsCursorInside())
        FollowCursor();
    Default();
}
