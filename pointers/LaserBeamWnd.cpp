#include "LaserBeamWnd.h"

#include "app/MainFrame.h"
#include "options/Settings.h"

namespace {

const int kMinLayer = 1;
const int kMaxLayer = 100;

}  // namespace

CLaserBeamWnd::CLaserBeamWnd()
    : m_shape(CLaserShape::ShapeTriangle, 20)
{
    m_brush = ::CreateSolidBrush(RGB(255, 0, 0));
}

CLaserBeamWnd::~CLaserBeamWnd()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
    if (m_brush != nullptr)
        ::DeleteObject(m_brush);
}

bool CLaserBeamWnd::LayeredWindows() const
{
    CMainFrame* frame = CMainFrame::Get();
    return frame != nullptr && frame->HasLayeredWindows();
}

int CLaserBeamWnd::OnCreate(LPCREATESTRUCTW cs)
{
    if (CDudeLBMovingWnd::OnCreate(cs) == -1)
        return -1;
    SetBeamStyle(ReadSettingInt(L"LaserBeam", L"Type", 3), ReadSettingInt(L"LaserBeam", L"Size", 20),
                 static_cast<COLORREF>(ReadSettingInt(L"LaserBeam", L"Color", 255)),
                 ReadSettingInt(L"LaserBeam", L"Layer", 70));
    return 0;
}

void CLaserBeamWnd::SetBeamStyle(int shapeCode, int size, COLORREF colour, int layer)
{
    m_shape = CLaserShape(shapeCode, size);
    m_colour = colour & 0xFFFFFF;
    // An opacity of 0 would make the pointer invisible, above 100 it would wrap.
    m_layer = layer < kMinLayer ? kMinLayer : (layer > kMaxLayer ? kMaxLayer : layer);

    if (m_hWnd != nullptr) {
        HRGN region = m_shape.CreateRegion();
        if (region != nullptr && !::SetWindowRgn(m_hWnd, region, TRUE))
            ::DeleteObject(region);  // the window owns the region only when it took it
    }
    HBRUSH brush = ::CreateSolidBrush(m_colour);
    if (brush != nullptr) {
        if (m_brush != nullptr)
            ::DeleteObject(m_brush);
        m_brush = brush;
    }
    CMainFrame* frame = CMainFrame::Get();
    if (m_hWnd != nullptr && LayeredWindows()) {
        ModifyStyleEx(0, WS_EX_LAYERED);
        if (frame->LayeredAttributes() != nullptr)
            frame->LayeredAttributes()(m_hWnd, 0, static_cast<BYTE>(m_layer * 255 / 100),
                                       LWA_ALPHA);
    }
    if (m_hWnd != nullptr)
        Invalidate();
}

void CLaserBeamWnd::PlaceAtCursor()
{
    POINT cursor = {};
    ::GetCursorPos(&cursor);
    POINT origin = m_shape.GetWindowOrigin(cursor);
    SIZE size = m_shape.GetWindowSize();
    SetWindowPos(HWND_TOPMOST, origin.x, origin.y, size.cx, size.cy,
                 SWP_SHOWWINDOW | SWP_NOACTIVATE);
}

void CLaserBeamWnd::Nudge(POINT cursor)
{
    int width = ::GetSystemMetrics(SM_CXSCREEN);
    int height = ::GetSystemMetrics(SM_CYSCREEN);
    if (width > 0 && height > 0) {
        DWORD dx = static_cast<DWORD>((cursor.x + 2) * 65535 / width);
        DWORD dy = static_cast<DWORD>((cursor.y + 2) * 65535 / height);
        ::mouse_event(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, dx, dy, 0, 0);
    }
    ::SetCursor(nullptr);
}

void CLaserBeamWnd::FollowCursor()
{
    PlaceAtCursor();
    if (CMainFrame* frame = CMainFrame::Get())
        ::SetCursor(frame->LaserCursor());
    CDudeLBMovingWnd::FollowCursor();
}

void CLaserBeamWnd::StartMoving()
{
    if (m_savedForeground == nullptr)
        m_savedForeground = ::GetForegroundWindow();
    CDudeLBMovingWnd::StartMoving();
    PlaceAtCursor();
    ::SetCapture(m_hWnd);
    m_active = 1;
    if (CMainFrame* frame = CMainFrame::Get())
        frame->SetTaskbarGuard(true);
    m_shownNotice = 0;
    SetTimer(kFollowTimer, kTimerPeriodMs);
    if (LayeredWindows())
        SetTimer(kNudgeTimer, kTimerPeriodMs);
}

void CLaserBeamWnd::StopMoving()
{
    ::ReleaseCapture();
    if (m_active) {
        CMainFrame* frame = CMainFrame::Get();
        if (frame != nullptr)
            frame->SetTaskbarGuard(false);
        m_active = 0;
        KillTimer(kFollowTimer);
        KillTimer(kNudgeTimer);
        if (frame == nullptr || !frame->IsSelectorShowing())
            ::mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, ::GetMessageExtraInfo());
        ShowWindow(SW_HIDE);
        if (frame != nullptr)
            frame->PostMessage(WM_LASER_STOPPED);
    }
    CDudeLBMovingWnd::StopMoving();
}

void CLaserBeamWnd::OnPaint()
{
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hWnd, &ps);
    RECT client = {};
    GetClientRect(&client);
    HDC buffer = ::CreateCompatibleDC(dc);
    HBITMAP bitmap = ::CreateCompatibleBitmap(dc, client.right, client.bottom);
    if (buffer != nullptr && bitmap != nullptr) {
        HGDIOBJ oldBitmap = ::SelectObject(buffer, bitmap);
        ::FillRect(buffer, &client, m_brush);
        m_shape.DrawOutline(buffer);
        ::BitBlt(dc, 0, 0, client.right, client.bottom, buffer, 0, 0, SRCCOPY);
        ::SelectObject(buffer, oldBitmap);
    } else {
        ::FillRect(dc, &client, m_brush);
        m_shape.DrawOutline(dc);
    }
    if (bitmap != nullptr)
        ::DeleteObject(bitmap);
    if (buffer != nullptr)
        ::DeleteDC(buffer);
    ::EndPaint(m_hWnd, &ps);

    if (!m_shownNotice && LayeredWindows()) {
        m_shownNotice = 1;
        PostMessage(WM_LASER_SHOWN);
    }
}

void CLaserBeamWnd::OnTimer(UINT_PTR id)
{
    if (id == kNudgeTimer) {
        POINT cursor = {};
        ::GetCursorPos(&cursor);
        Nudge(cursor);
        KillTimer(kNudgeTimer);
    }
    CDudeLBMovingWnd::OnTimer(id);
}

LRESULT CLaserBeamWnd::OnLaserShown(UINT, WPARAM, LPARAM, BOOL&)
{
    if (m_shownNotice && m_active && IsWindowVisible()) {
        POINT cursor = {};
        ::GetCursorPos(&cursor);
        FollowCursor();
        Nudge(cursor);
    }
    return 1;
}
