// Presvia.exe starting, refusing a second instance, and exiting.
#include "support/PresviaFixture.h"

#include <string>

namespace {

const wchar_t kAppKey[] = L"Software\\KVX\\lumora2";

bool ReadStoredInt(LPCWSTR name, DWORD& value)
{
    DWORD size = sizeof(value);
    return ::RegGetValueW(HKEY_CURRENT_USER, kAppKey, name, RRF_RT_REG_DWORD, nullptr, &value,
                          &size) == ERROR_SUCCESS;
}

// The message box Presvia shows, or null.
HWND FindMessageBox(DWORD process)
{
    HWND found = nullptr;
    while ((found = ::FindWindowExW(nullptr, found, L"#32770", nullptr)) != nullptr) {
        DWORD owner = 0;
        ::GetWindowThreadProcessId(found, &owner);
        if (owner == process && ::IsWindowVisible(found))
            return found;
    }
    return nullptr;
}

std::wstring MessageBoxText(HWND box)
{
    std::wstring text;
    ::EnumChildWindows(
        box,
        [](HWND child, LPARAM lParam) -> BOOL {
            wchar_t className[16] = {};
            ::GetClassNameW(child, className, 16);
            if (_wcsicmp(className, L"Static") == 0) {
                wchar_t buffer[256] = {};
                ::GetWindowTextW(child, buffer, 256);
                if (buffer[0] != L'\0')
                    *reinterpret_cast<std::wstring*>(lParam) = buffer;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&text));
    return text;
}

using StartupTest = PresviaTest;

TEST_F(StartupTest, MainWindowIsNeverShownNorOnTheTaskbar)
{
    StartPresvia();
    HWND main = MainWindow();
    EXPECT_FALSE(::IsWindowVisible(main));
    LONG_PTR exStyle = ::GetWindowLongPtrW(main, GWL_EXSTYLE);
    EXPECT_EQ(0, exStyle & WS_EX_APPWINDOW);
    EXPECT_EQ(0, ::GetWindowLongPtrW(main, GWL_STYLE) & WS_VISIBLE);
}

TEST_F(StartupTest, SecondInstanceEndsAtOnceAndTheFirstKeepsRunning)
{
    StartPresvia();
    HWND first = MainWindow();
    CPresviaProcess second;
    EXPECT_TRUE(second.WaitForExit(10000));
    EXPECT_EQ(nullptr, second.MainWindow());
    EXPECT_TRUE(m_presvia->IsRunning());
    EXPECT_TRUE(::IsWindow(first));
}

TEST_F(StartupTest, PresentModeIsWrittenBackAsAValidFunction)
{
    struct Case {
        const char* name;
        bool stored;
        DWORD type;
        DWORD value;
        DWORD expected;
    };
    const Case cases[] = {
        {"missing", false, REG_DWORD, 0, 0},
        {"7", true, REG_DWORD, 7, 0},
        {"-3", true, REG_DWORD, static_cast<DWORD>(-3), 0},
        {"5 stays", true, REG_DWORD, 5, 5},
        {"text", true, REG_SZ, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ClearSettings();
        if (c.stored) {
            HKEY key = nullptr;
            ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExW(HKEY_CURRENT_USER, kAppKey, 0, nullptr, 0,
                                                       KEY_WRITE, nullptr, &key, nullptr));
            if (c.type == REG_SZ)
                ::RegSetValueExW(key, L"PresentMode", 0, REG_SZ,
                                 reinterpret_cast<const BYTE*>(L"4"), 4);
            else
                ::RegSetValueExW(key, L"PresentMode", 0, REG_DWORD,
                                 reinterpret_cast<const BYTE*>(&c.value), sizeof(c.value));
            ::RegCloseKey(key);
        }
        StartPresvia();
        DWORD stored = 0xDEAD;
        EXPECT_TRUE(ReadStoredInt(L"PresentMode", stored));
        EXPECT_EQ(c.expected, stored);
        m_presvia.reset();
    }
}

TEST_F(StartupTest, ExitAskedAndAnsweredNoKeepsRunning)
{
    StartPresvia();
    ::PostMessageW(MainWindow(), WM_COMMAND, 32772, 0);
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (box = FindMessageBox(m_presvia->ProcessId())) != nullptr; }, 10000));
    EXPECT_EQ(L"Do you want to Finish?", MessageBoxText(box));
    ::PostMessageW(::GetDlgItem(box, IDNO), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(box); }, 5000));
    PumpMessagesFor(300);
    EXPECT_TRUE(m_presvia->IsRunning());
}

TEST_F(StartupTest, ExitAnsweredYesEndsTheProgramAndGivesTheChordsBack)
{
    StartPresvia();
    ::PostMessageW(MainWindow(), WM_COMMAND, 32772, 0);
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (box = FindMessageBox(m_presvia->ProcessId())) != nullptr; }, 10000));
    ::PostMessageW(::GetDlgItem(box, IDYES), BM_CLICK, 0, 0);
    EXPECT_TRUE(m_presvia->WaitForExit(10000));

    m_focusWindow->Activate();
    m_focusWindow->ClearKeys();
    XDoTool(L"key ctrl+alt+shift+5");
    EXPECT_TRUE(WaitUntil([&] { return m_focusWindow->CountKeyDowns('5') == 1; }, 3000));
}

}  // namespace
