#include "LMIndicator.h"

#include "app/MainFrame.h"
#include "res/resource.h"

namespace {

const UINT_PTR kDisplayTimer = 1;
const UINT kDisplayTimeMs = 2000;
const COLORREF kEmblemColour = 0x8ADBBC;

struct FunctionLook {
    const wchar_t* text;
    COLORREF colour;
};

// Letters and colours by function index. Zoom shows "S" and spotlight "Z".
const FunctionLook kLooks[] = {
    {L"L", 0x8ADBBC}, {L"C", 0xE8C68C}, {L"S", 0xC99DFF},
    {L"Z", 0x2A96FC}, {L"P", 0x60CFF4}, {L"H", 0xE9EB89},
};

}  // namespace

CLMIndicator::CLMIndicator()
{
    m_emblem = ::LoadBitmapW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_EMBLEM));
}

CLMIndicator::~CLMIndicator()
{
    if (m_emblem != nullptr)
        ::DeleteObject(m_emblem);
}

bool CLMIndicator::Create(HCURSOR classCursor)
{
    return CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, RegisterWndClass(0, classCursor), L"",
                    WS_POPUP, 0, 0, kSize, kSize, nullptr, nullptr) != FALSE;
}

int CLMIndicator::OnCreate(LPCREATESTRUCTW)
{
    if (Default() == -1)
        return -1;
    SetTimer(kDisplayTimer, kDisplayTimeMs);
    return 0;
}

void CLMIndicator::ShowFunction(int function)
{
    if (function < -1 || function > 5)
        return;
    if (function == -1) {
        m_text.clear();
        m_colour = kEmblemColour;
    } else {
        m_text = kLooks[function].text;
        m_colour = kLooks[function].colour;
    }
    SetWindowPos(HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    ::UpdateWindow(m_hWnd);
    Invalidate();
    KillTimer(kDisplayTimer);
    SetTimer(kDisplayTimer, kDisplayTimeMs);
}

void CLMIndicator::OnPaint()
{
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hWnd, &ps);
    RECT client = {};
    GetClientRect(&client);
    if (m_text.empty()) {
        HDC source = ::CreateCompatibleDC(dc);
        HGDIOBJ old = ::SelectObject(source, m_emblem);
        ::BitBlt(dc, 0, 0, client.right, client.bottom, source, 0, 0, SRCCOPY);
        ::SelectObject(source, old);
        ::DeleteDC(source);
    } else {
        ::SetBkMode(dc, TRANSPARENT);
        HBRUSH brush = ::CreateSolidBrush(m_colour);
        ::FillRect(dc, &client, brush);
        ::DeleteObject(brush);
        wchar_t face[LF_FACESIZE] = L"MS Shell Dlg";
        ::LoadStringW(::GetModuleHandleW(nullptr), IDS_INDICATOR_FONT, face, LF_FACESIZE);
        HFONT font = ::CreateFontW(24, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0,
                                   0, 0, 0, face);
        HGDIOBJ oldFont = ::SelectObject(dc, font);
        ::DrawTextW(dc, m_text.c_str(), -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        ::SelectObject(dc, oldFont);
        ::DeleteObject(font);
    }
    ::EndPaint(m_hWnd, &ps);
}

void CLMIndicator::OnTimer(UINT_PTR id)
{
    if (id != kDisplayTimer) {
        Default();
        return;
    }
    KillTimer(kDisplayTimer);
    DestroyWindow();  // the final message deletes this object
}

BOOL CLMIndicator::OnSetCursor(HWND, UINT, UINT)
{
    ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
    return TRUE;
}

void CLMIndicator::OnFinalMessage(HWND)
{
    if (CMainFrame* frame = CMainFrame::Get())
        frame->IndicatorGone(this);
    delete this;
}
