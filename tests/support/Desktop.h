// End-to-end helpers: the real Presvia.exe as a child process, real X input
// through xdotool, a focused window of the test that records what it gets,
// and pixels read back from the screen.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Runs "xdotool <arguments>" and waits for it to finish (at most 10 s).
void XDoTool(const std::wstring& arguments);

// The colour of a screen pixel, 0x00BBGGRR.
COLORREF ScreenPixel(int x, int y);

// Presvia.exe from the test folder, started in the constructor and ended,
// if it still runs, in the destructor.
class CPresviaProcess {
public:
    CPresviaProcess();
    ~CPresviaProcess();

    // Whether the hidden main window "lumora2_kvx" appeared within the timeout.
    bool WaitForMainWindow(DWORD timeoutMs);
    HWND MainWindow() const;
    // Whether the process ended within the timeout.
    bool WaitForExit(DWORD timeoutMs) const;
    bool IsRunning() const;
    DWORD ProcessId() const { return m_info.dwProcessId; }

private:
    PROCESS_INFORMATION m_info = {};
};

// A visible, focused window of the test that records the keys it receives.
class CKeyRecorderWindow {
public:
    CKeyRecorderWindow(int x = 100, int y = 100, int width = 1000, int height = 700);
    ~CKeyRecorderWindow();

    HWND Handle() const { return m_hWnd; }
    // Gives the window X focus (a click on it) and the Windows foreground.
    void Activate();
    const std::vector<UINT>& KeyDowns() const { return m_keyDowns; }
    const std::vector<DWORD>& KeyDownTimes() const { return m_keyDownTimes; }
    size_t CountKeyDowns(UINT virtualKey) const;
    void ClearKeys()
    {
        m_keyDowns.clear();
        m_keyDownTimes.clear();
    }

private:
    static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);

    HWND m_hWnd = nullptr;
    std::vector<UINT> m_keyDowns;
    std::vector<DWORD> m_keyDownTimes;
};
