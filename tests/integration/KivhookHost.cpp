#include "KivhookHost.h"

#include "hook/Kivhook.h"
#include "support/Desktop.h"
#include "support/TestEnvironment.h"

#include <string>

namespace {

const wchar_t kTargetClass[] = L"KivhookTestTarget";
const wchar_t kInputClass[] = L"KivhookTestInput";

template <class T>
T* FromWindow(HWND hWnd, UINT msg, LPARAM lParam)
{
    if (msg == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(hWnd, GWLP_USERDATA,
                            reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    return reinterpret_cast<T*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
}

void RegisterOnce(const wchar_t* name, WNDPROC proc)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = proc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = name;
    ::RegisterClassW(&wc);
}

bool IsKeyMessage(UINT msg)
{
    return msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN || msg == WM_KEYUP || msg == WM_SYSKEYUP ||
           msg == WM_CHAR || msg == WM_SYSCHAR;
}

bool IsButtonMessage(UINT msg)
{
    return msg == WM_LBUTTONDOWN || msg == WM_LBUTTONUP || msg == WM_RBUTTONDOWN ||
           msg == WM_RBUTTONUP || msg == WM_CONTEXTMENU;
}

struct Injection {
    std::vector<INPUT> inputs;
};

DWORD WINAPI InjectThread(LPVOID parameter)
{
    auto* injection = static_cast<Injection*>(parameter);
    // One event at a time, as a keyboard delivers them.
    for (INPUT& input : injection->inputs)
        ::SendInput(1, &input, sizeof(INPUT));
    delete injection;
    return 0;
}

}  // namespace

std::ostream& operator<<(std::ostream& out, const DeviceCommand& command)
{
    return out << "(" << command.wParam << ", " << command.lParam << ")";
}

CTargetWindow::CTargetWindow()
{
    RegisterOnce(kTargetClass, WindowProc);
    m_hWnd = ::CreateWindowExW(0, kTargetClass, L"Kivhook test target", WS_OVERLAPPED, 0, 0, 10,
                               10, nullptr, nullptr, ::GetModuleHandleW(nullptr), this);
}

CTargetWindow::~CTargetWindow()
{
    if (m_hWnd != nullptr)
        ::DestroyWindow(m_hWnd);
}

size_t CTargetWindow::Count(const DeviceCommand& command) const
{
    size_t count = 0;
    for (const DeviceCommand& received : m_commands)
        count += received == command;
    return count;
}

void CTargetWindow::Clear()
{
    m_commands.clear();
    m_linkHovers = 0;
}

LRESULT CALLBACK CTargetWindow::WindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* self = FromWindow<CTargetWindow>(hWnd, msg, lParam);
    if (self != nullptr && msg == WM_DEVICE_COMMAND) {
        self->m_commands.push_back({static_cast<int>(wParam), static_cast<int>(lParam)});
        if (self->m_nextDelayMs != 0) {
            DWORD delay = self->m_nextDelayMs;
            self->m_nextDelayMs = 0;
            ::Sleep(delay);
        }
        return 0;
    }
    if (self != nullptr && msg == WM_LINK_HOVER) {
        ++self->m_linkHovers;
        return 0;
    }
    return ::DefWindowProcW(hWnd, msg, wParam, lParam);
}

CInputWindow::CInputWindow()
{
    RegisterOnce(kInputClass, WindowProc);
    m_hWnd = ::CreateWindowExW(0, kInputClass, L"Kivhook test input",
                               WS_OVERLAPPEDWINDOW | WS_VISIBLE, 200, 200, 400, 300, nullptr,
                               nullptr, ::GetModuleHandleW(nullptr), this);
    ::UpdateWindow(m_hWnd);
}

CInputWindow::~CInputWindow()
{
    if (m_hWnd != nullptr)
        ::DestroyWindow(m_hWnd);
}

POINT CInputWindow::Centre() const
{
    RECT rect = {};
    ::GetWindowRect(m_hWnd, &rect);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

void CInputWindow::Activate()
{
    POINT centre = Centre();
    std::wstring arguments = L"mousemove " + std::to_wstring(centre.x) + L" " +
                             std::to_wstring(centre.y) + L" click 1";
    XDoTool(arguments);
    WaitUntil([this] { return Count(WM_LBUTTONUP) > 0; }, 3000);
    ::SetForegroundWindow(m_hWnd);
    ::SetFocus(m_hWnd);
    WaitUntil([this] { return ::GetFocus() == m_hWnd; }, 1000);
    Clear();
}

bool CInputWindow::SawKeyDown(UINT virtualKey) const
{
    for (const Message& m : m_messages)
        if ((m.message == WM_KEYDOWN || m.message == WM_SYSKEYDOWN) && m.wParam == virtualKey)
            return true;
    return false;
}

bool CInputWindow::SawChar(wchar_t character) const
{
    for (const Message& m : m_messages)
        if ((m.message == WM_CHAR || m.message == WM_SYSCHAR) && m.wParam == character)
            return true;
    return false;
}

size_t CInputWindow::Count(UINT message) const
{
    size_t count = 0;
    for (const Message& m : m_messages)
        count += m.message == message;
    return count;
}

LRESULT CALLBACK CInputWindow::WindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* self = FromWindow<CInputWindow>(hWnd, msg, lParam);
    if (self != nullptr && (IsKeyMessage(msg) || IsButtonMessage(msg)))
        self->m_messages.push_back({msg, wParam});
    // Alt chords would open the system menu; the tests only record them.
    if (msg == WM_SYSKEYDOWN || msg == WM_SYSKEYUP || msg == WM_SYSCHAR)
        return 0;
    return ::DefWindowProcW(hWnd, msg, wParam, lParam);
}

CHookSession::CHookSession(HWND target)
{
    JLOD_SetHWND(target);
    SetHMData(0, 0, 0, 0, 0, 0, 0);
    EnableRightMouseButton(1);
    JLOD_HookMouse();
}

CHookSession::~CHookSession()
{
    JLOD_UnHookMouse();
    SetHMData(1, 1, 1, 0, 0, 0, 0);
    EnableRightMouseButton(1);
    JLUnHookMouse();
    JLOD_SetHWND(nullptr);
}

bool InjectFromAnotherThread(const std::vector<INPUT>& inputs, DWORD timeoutMs)
{
    // The thread owns its copy, so a timeout leaves nothing dangling.
    auto* injection = new Injection{inputs};
    HANDLE thread = ::CreateThread(nullptr, 0, InjectThread, injection, 0, nullptr);
    if (thread == nullptr) {
        delete injection;
        return false;
    }
    bool done = WaitUntil([thread] { return ::WaitForSingleObject(thread, 0) == WAIT_OBJECT_0; },
                          timeoutMs);
    ::CloseHandle(thread);
    return done;
}

INPUT KeyInput(WORD virtualKey, bool down)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    return input;
}
