// keyrecorder.exe: the window a presenter's slide show would be, for the
// end-to-end tests. A white top-level window that appends every key-down it
// receives to a log file, one "virtual-key tick-count" line each.
//   keyrecorder.exe X Y WIDTH HEIGHT LOGFILE
// WM_APP + 1 (wParam: MAKEWPARAM(left, top), lParam: MAKELPARAM(right, bottom),
// screen coordinates) paints a black mark on it.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace {

const UINT WM_SET_MARK = WM_APP + 1;

wchar_t g_log[MAX_PATH];
RECT g_mark = {0, 0, 0, 0};

void Record(WPARAM key)
{
    HANDLE file = ::CreateFileW(g_log, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE |
                                FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    char line[64];
    int length = snprintf(line, sizeof(line), "%u %lu\n", static_cast<unsigned>(key),
                          ::GetTickCount());
    DWORD written = 0;
    ::WriteFile(file, line, static_cast<DWORD>(length), &written, nullptr);
    ::CloseHandle(file);
}

LRESULT CALLBACK WindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        Record(wParam);
        break;
    case WM_SET_MARK:
        g_mark = {static_cast<SHORT>(LOWORD(wParam)), static_cast<SHORT>(HIWORD(wParam)),
                  static_cast<SHORT>(LOWORD(lParam)), static_cast<SHORT>(HIWORD(lParam))};
        ::InvalidateRect(hWnd, nullptr, TRUE);
        ::UpdateWindow(hWnd);
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(hWnd, &ps);
        RECT mark = g_mark;
        ::MapWindowPoints(nullptr, hWnd, reinterpret_cast<POINT*>(&mark), 2);
        ::FillRect(dc, &mark, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
        ::EndPaint(hWnd, &ps);
        return 0;
    }
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcW(hWnd, msg, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int)
{
    if (__argc < 6)
        return 2;
    int x = _wtoi(__wargv[1]);
    int y = _wtoi(__wargv[2]);
    int width = _wtoi(__wargv[3]);
    int height = _wtoi(__wargv[4]);
    lstrcpynW(g_log, __wargv[5], MAX_PATH);

    WNDCLASSW wc = {};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = L"PresviaTestKeyRecorder";
    ::RegisterClassW(&wc);
    HWND hWnd = ::CreateWindowExW(0, wc.lpszClassName, L"Presvia test window",
                                  WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y, width, height, nullptr,
                                  nullptr, instance, nullptr);
    ::UpdateWindow(hWnd);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return 0;
}
