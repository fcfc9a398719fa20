#include "Desktop.h"

#include "TestEnvironment.h"

namespace {

const wchar_t kRecorderClass[] = L"PresviaTestKeyRecorder";

}  // namespace

void XDoTool(const std::wstring& arguments)
{
    RunUnixProgram(L"/usr/bin/xdotool " + arguments);
}

void SaveScreenshot(const std::wstring& unixPath)
{
    // import is reached through the shell: Wine does not start it directly.
    RunUnixProgram(L"/bin/sh -c \"import -window root '" + unixPath + L"'\"");
}

void RunUnixProgram(const std::wstring& commandLine)
{
    std::wstring command = commandLine;
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    if (!::CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &info))
        return;
    ::WaitForSingleObject(info.hProcess, 10000);
    ::CloseHandle(info.hThread);
    ::CloseHandle(info.hProcess);
}

COLORREF ScreenPixel(int x, int y)
{
    HDC screen = ::GetDC(nullptr);
    COLORREF colour = ::GetPixel(screen, x, y);
    ::ReleaseDC(nullptr, screen);
    return colour & 0xFFFFFF;
}

CPresviaProcess::CPresviaProcess()
{
    wchar_t command[] = L"Presvia.exe";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    ::CreateProcessW(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                     &m_info);
}

CPresviaProcess::~CPresviaProcess()
{
    if (m_info.hProcess == nullptr)
        return;
    if (IsRunning()) {
        ::TerminateProcess(m_info.hProcess, 1);
        ::WaitForSingleObject(m_info.hProcess, 5000);
    }
    ::CloseHandle(m_info.hThread);
    ::CloseHandle(m_info.hProcess);
}

HWND CPresviaProcess::MainWindow() const
{
    HWND found = nullptr;
    while ((found = ::FindWindowExW(nullptr, found, nullptr, L"lumora2_kvx")) != nullptr) {
        DWORD process = 0;
        ::GetWindowThreadProcessId(found, &process);
        if (process == m_info.dwProcessId)
            return found;
    }
    return nullptr;
}

bool CPresviaProcess::WaitForMainWindow(DWORD timeoutMs)
{
    return WaitUntil([this] { return MainWindow() != nullptr || !IsRunning(); }, timeoutMs) &&
           MainWindow() != nullptr;
}

bool CPresviaProcess::WaitForExit(DWORD timeoutMs) const
{
    return m_info.hProcess != nullptr &&
           WaitUntil([this] { return !IsRunning(); }, timeoutMs);
}

bool CPresviaProcess::IsRunning() const
{
    return m_info.hProcess != nullptr &&
           ::WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT;
}

CKeyRecorderWindow::CKeyRecorderWindow(int x, int y, int width, int height)
    : m_rect{x, y, x + width, y + height}
{
    ::InitializeCriticalSection(&m_lock);
    m_ready = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    m_thread = ::CreateThread(nullptr, 0, ThreadMain, this, 0, nullptr);
    ::WaitForSingleObject(m_ready, 10000);
}

CKeyRecorderWindow::~CKeyRecorderWindow()
{
    if (m_hWnd != nullptr)
        ::PostMessageW(m_hWnd, WM_CLOSE, 0, 0);
    if (m_thread != nullptr) {
        ::WaitForSingleObject(m_thread, 10000);
        ::CloseHandle(m_thread);
    }
    ::CloseHandle(m_ready);
    ::DeleteCriticalSection(&m_lock);
}

DWORD WINAPI CKeyRecorderWindow::ThreadMain(LPVOID param)
{
    auto* self = static_cast<CKeyRecorderWindow*>(param);
    WNDCLASSW wc = {};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = kRecorderClass;
    ::RegisterClassW(&wc);
    const RECT& r = self->m_rect;
    self->m_hWnd = ::CreateWindowExW(0, kRecorderClass, L"Presvia test window",
                                     WS_OVERLAPPEDWINDOW | WS_VISIBLE, r.left, r.top,
                                     r.right - r.left, r.bottom - r.top, nullptr, nullptr,
                                     wc.hInstance, self);
    ::UpdateWindow(self->m_hWnd);
    ::SetEvent(self->m_ready);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return 0;
}

void CKeyRecorderWindow::Activate()
{
    RECT rect = {};
    ::GetWindowRect(m_hWnd, &rect);
    XDoTool(L"mousemove " + std::to_wstring((rect.left + rect.right) / 2) + L" " +
            std::to_wstring((rect.top + rect.bottom) / 2) + L" click 1");
    if (!WaitUntil([this] { return ::GetForegroundWindow() == m_hWnd; }, 3000))
        ::SetForegroundWindow(m_hWnd);
    PumpMessagesFor(50);
}

size_t CKeyRecorderWindow::CountKeyDowns(UINT virtualKey) const
{
    ::EnterCriticalSection(&m_lock);
    size_t count = 0;
    for (UINT key : m_keyDowns)
        count += key == virtualKey;
    ::LeaveCriticalSection(&m_lock);
    return count;
}

std::vector<DWORD> CKeyRecorderWindow::KeyDownTimes() const
{
    ::EnterCriticalSection(&m_lock);
    std::vector<DWORD> times = m_keyDownTimes;
    ::LeaveCriticalSection(&m_lock);
    return times;
}

void CKeyRecorderWindow::ClearKeys()
{
    ::EnterCriticalSection(&m_lock);
    m_keyDowns.clear();
    m_keyDownTimes.clear();
    ::LeaveCriticalSection(&m_lock);
}

void CKeyRecorderWindow::SetMark(const RECT& screenRect)
{
    m_mark = screenRect;
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
    ::UpdateWindow(m_hWnd);
}

LRESULT CALLBACK CKeyRecorderWindow::WindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    auto* self = reinterpret_cast<CKeyRecorderWindow*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    if (self != nullptr && (msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN)) {
        ::EnterCriticalSection(&self->m_lock);
        self->m_keyDowns.push_back(static_cast<UINT>(wParam));
        self->m_keyDownTimes.push_back(::GetTickCount());
        ::LeaveCriticalSection(&self->m_lock);
    }
    if (self != nullptr && msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(hWnd, &ps);
        RECT mark = self->m_mark;
        ::MapWindowPoints(nullptr, hWnd, reinterpret_cast<POINT*>(&mark), 2);
        ::FillRect(dc, &mark, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
        ::EndPaint(hWnd, &ps);
        return 0;
    }
    if (msg == WM_DESTROY)
        ::PostQuitMessage(0);
    return ::DefWindowProcW(hWnd, msg, wParam, lParam);
}
