#include "LumoraView.h"

#include "LMHighlightPen.h"
#include "LMPen.h"
#include "LMSpotLight.h"
#include "app/MainFrame.h"
#include "app/Messages.h"
#include "options/Settings.h"
#include "res/resource.h"

namespace {

const DWORD kMoveRepaintIntervalMs = 50;
const DWORD kKeyAfterCloseMs = 200;

HCURSOR ArrowCursor()
{
    return ::LoadCursorW(nullptr, IDC_ARROW);
}

RECT Normalized(RECT rect)
{
    if (rect.left > rect.right)
        std::swap(rect.left, rect.right);
    if (rect.top > rect.bottom)
        std::swap(rect.top, rect.bottom);
    return rect;
}

}  // namespace

DWORD CLumoraView::s_lastMoveTick = 0;

CLumoraView::CLumoraView(CMainFrame& frame)
    : m_frame(frame)
{
    m_restoreForeground = ::GetForegroundWindow();
    m_restoreActive = ::GetActiveWindow();
    m_restoreFocus = ::GetFocus();
    EnableRightMouseButton(0);
    CaptureScreen();
}

CLumoraView::~CLumoraView()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
    for (CLMObject* object : m_objects)
        delete object;
    m_objects.clear();
    if (m_screenImage != nullptr)
        ::DeleteObject(m_screenImage);
    EnableRightMouseButton(1);

    // Null handles are skipped: they would only take activation or focus away.
    if (m_restoreForeground != nullptr)
        ::SetForegroundWindow(m_restoreForeground);
    if (m_restoreActive != nullptr)
        ::SetActiveWindow(m_restoreActive);
    if (m_restoreFocus != nullptr)
        ::SetFocus(m_restoreFocus);

    // Give the restored window time to take the focus before a key reaches it.
    DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < kKeyAfterCloseMs)
        ::Sleep(1);
    if (m_pendingKey != 0)
        ::PostMessageW(m_frame.m_hWnd, WM_INJECT_KEY, static_cast<WPARAM>(m_pendingKey), 0);
}

void CLumoraView::CaptureScreen()
{
    HWND desktop = ::GetDesktopWindow();
    RECT area = {};
    ::GetWindowRect(desktop, &area);
    m_screenSize = {area.right - area.left, area.bottom - area.top};
    HDC screen = ::GetDC(nullptr);
    HDC desktopDc = ::GetWindowDC(desktop);
    HDC memory = ::CreateCompatibleDC(screen);
    m_screenImage = ::CreateCompatibleBitmap(screen, m_screenSize.cx, m_screenSize.cy);
    if (memory != nullptr && m_screenImage != nullptr) {
        HGDIOBJ old = ::SelectObject(memory, m_screenImage);
        ::BitBlt(memory, 0, 0, m_screenSize.cx, m_screenSize.cy, desktopDc, 0, 0, SRCCOPY);
        ::SelectObject(memory, old);
    }
    if (memory != nullptr)
        ::DeleteDC(memory);
    ::ReleaseDC(desktop, desktopDc);
    ::ReleaseDC(nullptr, screen);
}

bool CLumoraView::Create()
{
    return CreateEx(0, RegisterWndClass(0), L"", WS_POPUP, 1, 1, 1, 1, nullptr, nullptr) != FALSE;
}

int CLumoraView::OnCreate(LPCREATESTRUCTW)
{
    if (Default() == -1)
        return -1;
    m_focusReturn = ::GetFocus();
    if (m_focusReturn == nullptr)
        m_focusReturn = ::GetForegroundWindow();
    SetWindowPos(HWND_TOPMOST, 0, 0, ::GetSystemMetrics(SM_CXSCREEN),
                 ::GetSystemMetrics(SM_CYSCREEN), SWP_SHOWWINDOW | SWP_NOACTIVATE);
    return 0;
}

int CLumoraView::CurrentFunction() const
{
    return m_frame.GetFunction();
}

void CLumoraView::ReturnFocus()
{
    if (m_focusReturn == nullptr || !::IsWindow(m_focusReturn))
        return;
    DWORD own = ::GetCurrentThreadId();
    DWORD other = ::GetWindowThreadProcessId(m_focusReturn, nullptr);
    ::AttachThreadInput(own, other, TRUE);
    ::SetForegroundWindow(m_focusReturn);
    ::SetFocus(m_focusReturn);
    ::AttachThreadInput(own, other, FALSE);
}

LRESULT CLumoraView::OnActivateOrFocus(UINT, WPARAM, LPARAM, BOOL&)
{
    ReturnFocus();
    return 0;
}

int CLumoraView::OnMouseActivate(HWND, UINT, UINT)
{
    ReturnFocus();
    return MA_NOACTIVATE;
}

void CLumoraView::OnDestroy()
{
    ReturnFocus();
    Default();
}

LRESULT CLumoraView::OnCtlColorDlg(UINT, WPARAM wParam, LPARAM, BOOL&)
{
    ::SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
    return reinterpret_cast<LRESULT>(::GetStockObject(NULL_BRUSH));
}

void CLumoraView::OnRButtonDown(UINT, POINT)
{
    // The main frame may delete this overlay while it handles the message.
    ::SendMessageW(m_frame.m_hWnd, WM_UNDO_ANNOTATION, 0, 0);
}

void CLumoraView::ResetToIdle()
{
    m_state = kIdle;
    m_anchorRect = {0, 0, 0, 0};
    m_anchorPoint = {kUnset, kUnset};
    if (m_hWnd != nullptr)
        Invalidate();
}

void CLumoraView::EnterBlackScreen()
{
    m_state = kBlackScreen;
    Invalidate();
}

int CLumoraView::RemoveLastObject()
{
    if (!m_objects.empty()) {
        delete m_objects.back();
        m_objects.pop_back();
        Invalidate();
    }
    return static_cast<int>(m_objects.size());
}

CLMObject* CLumoraView::GetLastObject() const
{
    return m_objects.empty() ? nullptr : m_objects.back();
}

void CLumoraView::BeginMove()
{
    if (m_state != kIdle)
        return;
    m_state = kMoving;
    if (IsAnchorUnset())
        ::GetCursorPos(&m_anchorPoint);
    FreezeStamps();
    int function = CurrentFunction();
    if (function == 2 || function == 3) {
        if (CLMSpotLight* spot = FindSpotZoom())
            m_anchorRect = spot->GetPlacement();
    } else if (!m_objects.empty()) {
        m_anchorRect = m_objects.back()->GetPlacement();
    }
}

void CLumoraView::EndMove()
{
    if (m_state != kMoving)
        return;
    ThawStamps();
    ResetToIdle();
}

void CLumoraView::OnMouseMove(UINT, POINT point)
{
    DWORD now = ::GetTickCount();
    bool mayRepaint = now - s_lastMoveTick > kMoveRepaintIntervalMs;
    if (mayRepaint)
        s_lastMoveTick = now;

    if (m_state == kMoving || m_state == kFunctionRunning) {
        int function = CurrentFunction();
        if (function == 2 || function == 3)
            TrackSpotZoom(mayRepaint);
        else if (m_state == kMoving)
            MoveLastObject(mayRepaint);
        else if (function == 4)
            ContinuePenStroke(point.x, point.y);
        else if (function == 5)
            ContinueHighlightStroke(point.x, point.y);
    }
    Default();
}

void CLumoraView::MoveLastObject(bool mayRepaint)
{
    if (!mayRepaint || m_objects.empty())
        return;
    CLMObject* object = m_objects.back();
    if (object->GetType() == LMOBJ_SPOTZOOM) {
        TrackSpotZoom(mayRepaint);
        return;
    }
    if (IsAnchorUnset())
        return;
    POINT cursor = {};
    ::GetCursorPos(&cursor);
    if (cursor.x == m_lastCursor.x && cursor.y == m_lastCursor.y)
        return;
    RECT moved = m_anchorRect;
    ::OffsetRect(&moved, cursor.x - m_anchorPoint.x, cursor.y - m_anchorPoint.y);
    RECT before = object->GetBounds();
    InvalidateRect(&before);
    object->SetPlacement(moved);
    RECT after = object->GetBounds();
    InvalidateRect(&after);
    m_lastCursor = cursor;
}

void CLumoraView::InvalidateWidened(RECT rect, int by)
{
    ::InflateRect(&rect, by, by);
    InvalidateRect(&rect);
}

// Strokes

CLMPen* CLumoraView::GetLastPen() const
{
    CLMObject* last = GetLastObject();
    return last != nullptr && last->GetType() == LMOBJ_PEN ? static_cast<CLMPen*>(last) : nullptr;
}

CLMHighlightPen* CLumoraView::GetLastHighlightPen() const
{
    CLMObject* last = GetLastObject();
    return last != nullptr && last->GetType() == LMOBJ_HIGHLIGHTPEN
               ? static_cast<CLMHighlightPen*>(last)
               : nullptr;
}

void CLumoraView::BeginPenStroke()
{
    ::SetCursor(::LoadCursorW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_PEN_CURSOR)));
    POINT cursor = {};
    ::GetCursorPos(&cursor);
    m_objects.push_back(new CLMPen(static_cast<COLORREF>(ReadSettingInt(L"Pen", L"Color", 255)),
                                   ReadSettingInt(L"Pen", L"Style", 5), cursor.x, cursor.y,
                                   ReadSettingInt(L"Pen", L"Type", 1) != 0));
}

// One step of a stroke: a free curve takes every position; a straight line
// snaps the step to an axis and puts the cursor back on the line. The newest
// vertex came from the cursor position cursorOffset pixels above it.
template <class Stroke>
void CLumoraView::ContinueStroke(Stroke* stroke, LPCWSTR section, int cursorOffset, int x, int y)
{
    if (stroke == nullptr)
        return;
    int type = ReadSettingInt(section, L"Type", 1);
    int width = stroke->GetWidth();
    if (type == 0) {
        InvalidateWidened(Normalized(stroke->AddPoint(x, y, false)), width);
        return;
    }
    POINT last = stroke->GetLastPoint();
    POINT p = {last.x, last.y - cursorOffset};
    if (!SnapToAxis(p, POINT{x, y}))
        return;
    InvalidateWidened(stroke->AddPoint(p.x, p.y, type == 1), width);
    ::SetCursorPos(p.x, p.y);
}

void CLumoraView::EndStroke(CLMPenBase* stroke)
{
    if (stroke != nullptr && stroke->GetPoints().empty())
        RemoveLastObject();
    ::SetCursor(ArrowCursor());
}

void CLumoraView::ContinuePenStroke(int x, int y)
{
    // Pen vertices lie a width below the cursor.
    CLMPen* stroke = GetLastPen();
    ContinueStroke(stroke, L"Pen", stroke != nullptr ? stroke->GetWidth() : 0, x, y);
}

void CLumoraView::EndPenStroke()
{
    EndStroke(GetLastPen());
}

void CLumoraView::BeginHighlightStroke()
{
    ::SetCursor(::LoadCursorW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_PEN_CURSOR)));
    POINT cursor = {};
    ::GetCursorPos(&cursor);
    m_objects.push_back(new CLMHighlightPen(
        ReadSettingInt(L"FPen", L"Trans", 70),
        static_cast<COLORREF>(ReadSettingInt(L"FPen", L"Color", 16711680)),
        ReadSettingInt(L"FPen", L"Width", 20), cursor.x, cursor.y));
}

void CLumoraView::ContinueHighlightStroke(int x, int y)
{
    ContinueStroke(GetLastHighlightPen(), L"FPen", 0, x, y);
}

void CLumoraView::EndHighlightStroke()
{
    EndStroke(GetLastHighlightPen());
}

// Spotlight and zoom

CLMSpotLight* CLumoraView::FindSpotZoom() const
{
    for (CLMObject* object : m_objects)
        if (object->GetType() == LMOBJ_SPOTZOOM)
            return static_cast<CLMSpotLight*>(object);
    return nullptr;
}

void CLumoraView::AddSpotZoom()
{
    if (FindSpotZoom() != nullptr)
        return;
    POINT cursor = {};
    ::GetCursorPos(&cursor);
    int function = CurrentFunction();
    LPCWSTR section = function == 2 ? L"Zoom" : L"SpotLight";
    RECT placement = {cursor.x, cursor.y, cursor.x, cursor.y};
    m_objects.push_back(new CLMSpotLight(ReadSettingInt(section, L"Type", 1),
                                         ReadSettingInt(section, L"Trans", 30), placement,
                                         function));
    Invalidate();
}

void CLumoraView::RemoveSpotZoom()
{
    for (auto it = m_objects.begin(); it != m_objects.end(); ++it) {
        if ((*it)->GetType() == LMOBJ_SPOTZOOM) {
            delete *it;
            m_objects.erase(it);
            return;
        }
    }
}

void CLumoraView::TrackSpotZoom(bool mayRepaint)
{
    CLMSpotLight* spot = FindSpotZoom();
    if (spot == nullptr || IsAnchorUnset())
        return;
    POINT cursor = {};
    ::GetCursorPos(&cursor);
    if (cursor.x == m_lastCursor.x && cursor.y == m_lastCursor.y)
        return;
    spot->SetPlacement(m_anchorRect);
    int dx = cursor.x - m_anchorPoint.x;
    int dy = cursor.y - m_anchorPoint.y;
    RECT shape = spot->GetPlacement();
    if (m_state == kMoving) {
        ::OffsetRect(&shape, dx, dy);
    } else if (m_state == kFunctionRunning) {
        shape.right += dx;
        shape.bottom += dy;
    }
    spot->SetPlacement(shape);
    if (mayRepaint)
        Invalidate();
    m_lastCursor = cursor;
}

// Clip-art stamps are not part of the overlay yet: there is nothing to add,
// freeze or thaw.

void CLumoraView::AddStamp()
{
}

void CLumoraView::FreezeStamps()
{
}

void CLumoraView::ThawStamps()
{
}

// Painting

void CLumoraView::OnPaint()
{
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hWnd, &ps);

    int function = CurrentFunction();
    CLMSpotLight* spot = FindSpotZoom();
    if (spot != nullptr && (function == 2 || function == 3) &&
        spot->GetFunctionIndex() != function) {
        // The selector switched between spotlight and zoom: relabel, paint next time.
        spot->SetFunctionIndex(function);
        Invalidate();
        ::EndPaint(m_hWnd, &ps);
        return;
    }

    RECT client = {};
    GetClientRect(&client);
    // Only the invalid part is composed: a stroke's newest segment repaints
    // in proportion to its size, not to the screen's.
    RECT area = ps.rcPaint;
    if (::IsRectEmpty(&area))
        area = client;
    int width = area.right - area.left;
    int height = area.bottom - area.top;

    HDC buffer = ::CreateCompatibleDC(dc);
    HBITMAP bitmap = buffer != nullptr ? ::CreateCompatibleBitmap(dc, width, height) : nullptr;
    if (buffer != nullptr && bitmap != nullptr) {
        HGDIOBJ oldBitmap = ::SelectObject(buffer, bitmap);
        ::OffsetViewportOrgEx(buffer, -area.left, -area.top, nullptr);
        ::SetBrushOrgEx(buffer, area.left % 8, area.top % 8, nullptr);
        Compose(buffer, client);
        ::SetViewportOrgEx(buffer, 0, 0, nullptr);
        ::SetWindowOrgEx(buffer, 0, 0, nullptr);
        ::BitBlt(dc, area.left, area.top, width, height, buffer, 0, 0, SRCCOPY);
        ::SelectObject(buffer, oldBitmap);
    } else {
        Compose(dc, client);
    }
    if (bitmap != nullptr)
        ::DeleteObject(bitmap);
    if (buffer != nullptr)
        ::DeleteDC(buffer);
    ::EndPaint(m_hWnd, &ps);
}

void CLumoraView::Compose(HDC target, const RECT& client)
{
    if (m_state == kBlackScreen) {
        HBRUSH black = ::CreateSolidBrush(RGB(0, 0, 0));
        ::FillRect(target, &client, black);
        ::DeleteObject(black);
        return;
    }

    HDC source = ::CreateCompatibleDC(target);
    HGDIOBJ oldImage = source != nullptr ? ::SelectObject(source, m_screenImage) : nullptr;
    if (CLMSpotLight* spot = FindSpotZoom()) {
        double rate = 1.0;
        if (spot->GetFunctionIndex() == 2)
            rate = ParseZoomRate(ReadSettingString(L"Zoom", L"Rate", L"2.0").c_str());
        HDC screen = ::GetDC(nullptr);
        int bitsPerPixel = ::GetDeviceCaps(screen, BITSPIXEL);
        ::ReleaseDC(nullptr, screen);
        spot->PaintSpotZoom(target, source, client, m_frame.HasLayeredWindows(), bitsPerPixel,
                            rate);
    } else {
        ::BitBlt(target, 0, 0, client.right - client.left, client.bottom - client.top, source, 0,
                 0, SRCCOPY);
    }
    if (source != nullptr) {
        ::SelectObject(source, oldImage);
        ::DeleteDC(source);
    }

    for (CLMObject* object : m_objects)
        object->Draw(target);
}
