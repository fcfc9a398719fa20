#include "PresviaFixture.h"

#include "hook/Kivhook.h"

void PresviaTest::SetUp()
{
    ClearSettings();
    m_receiver.PlugReceiver();
    m_focusWindow.reset(new CKeyRecorderWindow);
    m_focusWindow->Activate();
}

void PresviaTest::TearDown()
{
    m_presvia.reset();
    m_focusWindow.reset();
    ClearSettings();
}

void PresviaTest::StartPresvia()
{
    m_presvia.reset(new CPresviaProcess);
    ASSERT_TRUE(m_presvia->WaitForMainWindow(15000));
    Settle();
}

void PresviaTest::Command(int wParam, int lParam)
{
    ::PostMessageW(MainWindow(), WM_DEVICE_COMMAND, static_cast<WPARAM>(wParam),
                   static_cast<LPARAM>(lParam));
}

void PresviaTest::CommandAndWait(int wParam, int lParam)
{
    Command(wParam, lParam);
    Settle();
}

void PresviaTest::Settle()
{
    // A sent message is handled after everything posted before it.
    DWORD_PTR result = 0;
    ::SendMessageTimeoutW(MainWindow(), WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result);
    PumpMessagesFor(20);
}

HWND PresviaTest::FindPresviaWindow(int width, int height) const
{
    struct Search {
        DWORD process;
        int width, height;
        HWND found;
    } search = {m_presvia ? m_presvia->ProcessId() : 0, width, height, nullptr};
    ::EnumWindows(
        [](HWND hWnd, LPARAM lParam) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lParam);
            DWORD process = 0;
            ::GetWindowThreadProcessId(hWnd, &process);
            RECT rect = {};
            ::GetWindowRect(hWnd, &rect);
            if (process == s->process && ::IsWindowVisible(hWnd) &&
                rect.right - rect.left == s->width && rect.bottom - rect.top == s->height) {
                s->found = hWnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}
