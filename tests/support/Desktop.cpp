#include "Desktop.h"

#include "TestEnvironment.h"

namespace {

const wchar_t kRecorderClass[] = L"PresviaTestKeyRecorder";

}  // namespace

void XDoTool(const std::wstring& arguments)
{
    std::wstring command = L"/usr/bin/xdotool " + arguments;
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
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = kRecorderClass;
    ::RegisterClassW(&wc);
    m_hWnd = ::CreateWindowExW(0, kRecorderClass, L"Presvia test window",
                               WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y, width, height, nullptr,
                               nullptr, wc.hInstance, this);
    ::UpdateWindow(m_hWnd);
}

CKeyRecorderWindow::~CKeyRecorderWindow()
{
    if (m_hWnd != nullptr)
        ::DestroyWindow(m_hWnd);
}

void CKeyRecorderWindow::Activate()
{
    RECT rect = {};
    ::GetWindowRect(m_hWnd, &rect);
    XDoTool(L"mousemove " + std::to_wstring((rect.left + rect.right) / 2) + L" " +
            std::to_wstring((rect.top + rect.bottom) / 2) + L" click 1");
    WaitUntil([this] { return ::GetForegroundWindow() == m_hWnd; }, 3000);
    ::SetForegroundWindow(m_hWnd);
    ::SetFocus(m_hWnd);
    PumpMessagesFor(50);
}

size_t CKeyRecorderWindow::CountKeyDowns(UINT virtualKey) const
{
    size_t count = 0;
    for (UINT key : m_keyDowns)
        count += key == virtualKey;
    return count;
}

LRESULT CALLBACK CKeyRecorderWindow::WindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    auto* self = reinterpret_cast<CKeyRecorderWindow*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    if (self != nullptr && (msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN)) {
        self->m_keyDowns.push_back(static_cast<UINT>(wParam));
        self->m_keyDownTimes.push_back(::GetTickCount());
    }
    return ::DefWindowProcW(hWnd, msg, wParam, lParam);
}
