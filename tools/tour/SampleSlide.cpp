// A full-screen sample slide for the tour of Presvia: a title, a few bullet
// points and a bar chart, drawn with GDI. Ends on Escape or when closed.
#include <windows.h>

namespace {

void Fill(HDC dc, int left, int top, int right, int bottom, COLORREF colour)
{
    RECT rect = {left, top, right, bottom};
    HBRUSH brush = ::CreateSolidBrush(colour);
    ::FillRect(dc, &rect, brush);
    ::DeleteObject(brush);
}

void Text(HDC dc, int x, int y, int height, int weight, COLORREF colour, const wchar_t* text)
{
    HFONT font = ::CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0,
                               0, ANTIALIASED_QUALITY, 0, L"Arial");
    HGDIOBJ old = ::SelectObject(dc, font);
    ::SetTextColor(dc, colour);
    ::SetBkMode(dc, TRANSPARENT);
    ::TextOutW(dc, x, y, text, lstrlenW(text));
    ::SelectObject(dc, old);
    ::DeleteObject(font);
}

void Paint(HWND hWnd)
{
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(hWnd, &ps);
    RECT client;
    ::GetClientRect(hWnd, &client);
    int w = client.right;
    int h = client.bottom;
    Fill(dc, 0, 0, w, h, RGB(250, 250, 245));
    Fill(dc, 0, 0, w, h / 6, RGB(24, 64, 120));
    Text(dc, w / 20, h / 24, h / 12, FW_BOLD, RGB(255, 255, 255), L"Quarterly Review");
    const wchar_t* bullets[] = {L"\x2022  Revenue grew in every region",
                                L"\x2022  Two new products shipped on time",
                                L"\x2022  Support tickets down by a third",
                                L"\x2022  Next: the spring launch"};
    for (int i = 0; i < 4; ++i)
        Text(dc, w / 16, h / 4 + i * h / 10, h / 20, FW_NORMAL, RGB(30, 30, 30), bullets[i]);
    // A bar chart on the right.
    const int values[] = {35, 52, 61, 78};
    const COLORREF colours[] = {RGB(70, 130, 180), RGB(60, 170, 110), RGB(230, 160, 40),
                                RGB(200, 70, 70)};
    int baseX = w * 6 / 10;
    int baseY = h * 9 / 10;
    Fill(dc, baseX - 10, baseY, w * 19 / 20, baseY + 4, RGB(60, 60, 60));
    for (int i = 0; i < 4; ++i) {
        int left = baseX + i * (w / 12);
        int top = baseY - values[i] * h / 140;
        Fill(dc, left, top, left + w / 18, baseY, colours[i]);
    }
    Text(dc, baseX, h / 4 - h / 24, h / 28, FW_BOLD, RGB(30, 30, 30), L"Sales by quarter");
    ::EndPaint(hWnd, &ps);
}

LRESULT CALLBACK WindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_PAINT:
        Paint(hWnd);
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE)
            ::DestroyWindow(hWnd);
        return 0;
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcW(hWnd, msg, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = L"PresviaSampleSlide";
    ::RegisterClassW(&wc);
    HWND hWnd = ::CreateWindowExW(0, wc.lpszClassName, L"Sample slide", WS_POPUP | WS_VISIBLE, 0, 0,
                                  ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN),
                                  nullptr, nullptr, instance, nullptr);
    ::SetForegroundWindow(hWnd);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return 0;
}
