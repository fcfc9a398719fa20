#include "Desktop.h"

#include "TestEnvironment.h"
#include "tools/simreceiver/SimReceiverState.h"

#include <cstdio>
#include <string>

void XDoTool(const std::wstring& arguments)
{
    RunUnixProgram(L"/usr/bin/xdotool " + arguments);
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
    // Closing the main window ends the program the way the system would,
    // with its tray icon and hooks removed; a program that hangs is killed.
    if (IsRunning()) {
        if (HWND main = MainWindow())
            ::PostMessageW(main, WM_CLOSE, 0, 0);
        if (::WaitForSingleObject(m_info.hProcess, 5000) != WAIT_OBJECT_0) {
            ::TerminateProcess(m_info.hProcess, 1);
            ::WaitForSingleObject(m_info.hProcess, 5000);
        }
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
    if (!WaitUntil([this] { return MainWindow() != nullptr || !IsRunning(); }, timeoutMs) ||
        MainWindow() == nullptr)
        return false;
    // The window exists from the start of its creation; the hooks come at its end,
    // before the program first waits for input.
    ::WaitForInputIdle(m_info.hProcess, timeoutMs);
    return true;
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
    wchar_t folder[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, folder);
    wchar_t log[MAX_PATH] = {};
    ::GetTempFileNameW(folder, L"key", 0, log);
    m_log = log;
    std::wstring command = L"keyrecorder.exe " + std::to_wstring(x) + L" " + std::to_wstring(y) +
                           L" " + std::to_wstring(width) + L" " + std::to_wstring(height) +
                           L" \"" + m_log + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    if (!::CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &m_process))
        return;
    ::WaitForInputIdle(m_process.hProcess, 10000);
    WaitUntil(
        [this] {
            HWND found = nullptr;
            while ((found = ::FindWindowExW(nullptr, found, L"PresviaTestKeyRecorder",
                                            nullptr)) != nullptr) {
                DWORD owner = 0;
                ::GetWindowThreadProcessId(found, &owner);
                if (owner == m_process.dwProcessId) {
                    m_hWnd = found;
                    return true;
                }
            }
            return false;
        },
        10000);
}

CKeyRecorderWindow::~CKeyRecorderWindow()
{
    if (m_process.hProcess != nullptr) {
        if (m_hWnd != nullptr)
            ::PostMessageW(m_hWnd, WM_CLOSE, 0, 0);
        if (::WaitForSingleObject(m_process.hProcess, 5000) != WAIT_OBJECT_0)
            ::TerminateProcess(m_process.hProcess, 1);
        ::CloseHandle(m_process.hThread);
        ::CloseHandle(m_process.hProcess);
    }
    ::DeleteFileW(m_log.c_str());
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

std::vector<CKeyRecorderWindow::KeyDown> CKeyRecorderWindow::ReadLog() const
{
    std::vector<KeyDown> keys;
    std::string text = SimReceiver::ReadWholeFile(m_log);
    size_t start = m_logStart;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            break;
        unsigned key = 0;
        unsigned long time = 0;
        if (sscanf(text.c_str() + start, "%u %lu", &key, &time) == 2)
            keys.push_back({key, time});
        start = end + 1;
    }
    return keys;
}

size_t CKeyRecorderWindow::CountKeyDowns(UINT virtualKey) const
{
    size_t count = 0;
    for (const KeyDown& down : ReadLog())
        count += down.key == virtualKey;
    return count;
}

std::vector<DWORD> CKeyRecorderWindow::KeyDownTimes() const
{
    std::vector<DWORD> times;
    for (const KeyDown& down : ReadLog())
        times.push_back(down.time);
    return times;
}

void CKeyRecorderWindow::ClearKeys()
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (::GetFileAttributesExW(m_log.c_str(), GetFileExInfoStandard, &data))
        m_logStart = data.nFileSizeLow;
}

void CKeyRecorderWindow::SetMark(const RECT& screenRect)
{
    DWORD_PTR result = 0;
    ::SendMessageTimeoutW(m_hWnd, WM_APP + 1, MAKEWPARAM(screenRect.left, screenRect.top),
                          MAKELPARAM(screenRect.right, screenRect.bottom), SMTO_NORMAL, 5000,
                          &result);
}
