// End-to-end helpers: the real Presvia.exe as a child process, real X input
// through xdotool, a focused window of the test that records what it gets,
// and pixels read back from the screen.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Runs "xdotool <arguments>" and waits for it to finish (at most 10 s).
void XDoTool(const std::wstring& arguments);

// Runs a Unix program with arguments and waits for it to finish (at most 10 s).
void RunUnixProgram(const std::wstring& commandLine);

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

// The window a slide show would be: keyrecorder.exe, a white window in a
// process of its own that records the keys it receives. Started in the
// constructor, ended in the destructor.
class CKeyRecorderWindow {
public:
    CKeyRecorderWindow(int x = 100, int y = 100, int width = 1000, int height = 700);
    ~CKeyRecorderWindow();

    HWND Handle() const { return m_hWnd; }
    // Gives the window X focus (a click on it) and the Windows foreground.
    void Activate();
    size_t CountKeyDowns(UINT virtualKey) const;
    // When each key-down arrived (GetTickCount), in order.
    std::vector<DWORD> KeyDownTimes() const;
    void ClearKeys();
    // Paints a black rectangle (screen coordinates) on the window's white background.
    void SetMark(const RECT& screenRect);

private:
    struct KeyDown {
        UINT key;
        DWORD time;
    };
    std::vector<KeyDown> ReadLog() const;

    std::wstring m_log;
    size_t m_logStart = 0;  // keys before this offset were cleared
    PROCESS_INFORMATION m_process = {};
    HWND m_hWnd = nullptr;
};
