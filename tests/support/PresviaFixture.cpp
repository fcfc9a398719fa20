#include "PresviaFixture.h"

#include "hook/Kivhook.h"

#include <string>

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

namespace {

const wchar_t kAppKey[] = L"Software\\KVX\\lumora2";

std::wstring SectionKey(LPCWSTR section)
{
    return std::wstring(kAppKey) + (section[0] != L'\0' ? L"\\" : L"") + section;
}

}  // namespace

void PresviaTest::Press(int digit)
{
    XDoTool(L"keydown ctrl+alt+shift+" + std::to_wstring(digit));
}

void PresviaTest::Release(int digit)
{
    // A presenter's button stays down a little while, never a few milliseconds.
    PumpMessagesFor(120);
    // The digit first, while the modifiers are still down: that release ends the chord.
    XDoTool(L"keyup " + std::to_wstring(digit) + L" shift alt ctrl");
}

void PresviaTest::SetStoredInt(LPCWSTR section, LPCWSTR name, DWORD value)
{
    ::RegSetKeyValueW(HKEY_CURRENT_USER, SectionKey(section).c_str(), name, REG_DWORD, &value,
                      sizeof(value));
}

void PresviaTest::SetStoredString(LPCWSTR section, LPCWSTR name, LPCWSTR value)
{
    ::RegSetKeyValueW(HKEY_CURRENT_USER, SectionKey(section).c_str(), name, REG_SZ, value,
                      static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t)));
}

int PresviaTest::StoredPresentMode()
{
    DWORD value = 0xDEAD;
    DWORD size = sizeof(value);
    ::RegGetValueW(HKEY_CURRENT_USER, kAppKey, L"PresentMode", RRF_RT_REG_DWORD, nullptr, &value,
                   &size);
    return static_cast<int>(value);
}

HWND PresviaTest::Overlay() const
{
    return FindPresviaWindow(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
}

bool PresviaTest::WaitForOverlay(bool open, DWORD timeoutMs) const
{
    return WaitUntil([&] { return (Overlay() != nullptr) == open; }, timeoutMs);
}

bool PresviaTest::ForegroundIsTestWindow(DWORD timeoutMs) const
{
    return WaitUntil([&] { return ::GetForegroundWindow() == m_focusWindow->Handle(); },
                     timeoutMs);
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
