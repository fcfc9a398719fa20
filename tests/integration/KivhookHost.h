// What the tests of Kivhook share: the target window that receives the
// hooks' messages, a visible window that records the input reaching it, and
// the hooks installed for the length of one test.
#pragma once

#include <windows.h>

#include <ostream>
#include <vector>

struct DeviceCommand {
    int wParam;
    int lParam;
    bool operator==(const DeviceCommand& other) const
    {
        return wParam == other.wParam && lParam == other.lParam;
    }
};
std::ostream& operator<<(std::ostream& out, const DeviceCommand& command);

// The hidden window the hooks report to, as the main frame would be.
class CTargetWindow {
public:
    CTargetWindow();
    ~CTargetWindow();
    CTargetWindow(const CTargetWindow&) = delete;
    CTargetWindow& operator=(const CTargetWindow&) = delete;

    HWND Handle() const { return m_hWnd; }
    const std::vector<DeviceCommand>& Commands() const { return m_commands; }
    size_t Count(const DeviceCommand& command) const;
    int LinkHovers() const { return m_linkHovers; }
    void Clear();
    // The handler of the next device command takes this long, as a slow
    // tool start would.
    void DelayNextCommand(DWORD ms) { m_nextDelayMs = ms; }

private:
    static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);

    HWND m_hWnd = nullptr;
    std::vector<DeviceCommand> m_commands;
    int m_linkHovers = 0;
    DWORD m_nextDelayMs = 0;
};

// A visible window of the test that records the key, character and mouse
// button messages it receives.
class CInputWindow {
public:
    CInputWindow();
    ~CInputWindow();
    CInputWindow(const CInputWindow&) = delete;
    CInputWindow& operator=(const CInputWindow&) = delete;

    HWND Handle() const { return m_hWnd; }
    // Puts X focus on the window (a click on it) and makes it the focused window.
    void Activate();
    POINT Centre() const;
    // A key-down (WM_KEYDOWN or WM_SYSKEYDOWN) of the key arrived.
    bool SawKeyDown(UINT virtualKey) const;
    // A character (WM_CHAR or WM_SYSCHAR) arrived.
    bool SawChar(wchar_t character) const;
    size_t Count(UINT message) const;
    void Clear() { m_messages.clear(); }

private:
    struct Message {
        UINT message;
        WPARAM wParam;
    };
    static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);

    HWND m_hWnd = nullptr;
    std::vector<Message> m_messages;
};

// Kivhook's hooks installed with the given target, haptics off, for one
// scope; afterwards the hooks are gone and the shared settings hold the
// library's initial values again (other programs of the test run load the
// same library and see them).
class CHookSession {
public:
    explicit CHookSession(HWND target);
    ~CHookSession();
    CHookSession(const CHookSession&) = delete;
    CHookSession& operator=(const CHookSession&) = delete;
};

// Injects the inputs from another thread, as a device would, while this
// thread goes on pumping its messages (the low-level hooks run on it).
// Returns when all were injected or the timeout passed.
bool InjectFromAnotherThread(const std::vector<INPUT>& inputs, DWORD timeoutMs);
INPUT KeyInput(WORD virtualKey, bool down);
