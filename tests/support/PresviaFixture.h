// A fixture for end-to-end tests: clean settings, a simulated receiver with
// one receiver plugged in, a focused window of the test, and Presvia.exe
// started and ready (its hidden main window exists).
#pragma once

#include "Desktop.h"
#include "SimulatedReceiver.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <memory>

class PresviaTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts Presvia and waits for its main window; call after presetting settings.
    void StartPresvia();
    // The receiver's function chord Ctrl+Alt+Shift+digit, typed as real X input.
    void Press(int digit);
    void Release(int digit);

    // Settings as the program stores them.
    static void SetStoredInt(LPCWSTR section, LPCWSTR name, DWORD value);
    static void SetStoredString(LPCWSTR section, LPCWSTR name, LPCWSTR value);
    static int StoredPresentMode();

    // The overlay's window (the one covering the screen), or null.
    HWND Overlay() const;
    bool WaitForOverlay(bool open, DWORD timeoutMs = 5000) const;
    bool ForegroundIsTestWindow(DWORD timeoutMs = 3000) const;

    // Posts a device command to the main window, as the hook library does.
    void Command(int wParam, int lParam);
    // Posts a command and waits until the main window has handled it.
    void CommandAndWait(int wParam, int lParam);
    // Waits until the main window has handled everything sent to it so far.
    void Settle();

    HWND MainWindow() const { return m_presvia ? m_presvia->MainWindow() : nullptr; }
    // Presvia's visible top-level windows of a given width and height, or null.
    HWND FindPresviaWindow(int width, int height) const;

    CSimulatedReceiver m_receiver;
    std::unique_ptr<CKeyRecorderWindow> m_focusWindow;
    std::unique_ptr<CPresviaProcess> m_presvia;
};
