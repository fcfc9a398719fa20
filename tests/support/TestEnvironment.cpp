#include "TestEnvironment.h"

#include "framework/WinApp.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace {

// The test programs' application object: same name and registry key as the program's.
CWinApp g_testApp(L"lumora2");

void PumpPending()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

}  // namespace

void ClearSettings()
{
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\KVX");
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs)
{
    DWORD start = ::GetTickCount();
    for (;;) {
        PumpPending();
        if (condition())
            return true;
        if (::GetTickCount() - start >= timeoutMs)
            return condition();
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

void PumpMessagesFor(DWORD ms)
{
    DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < ms) {
        PumpPending();
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    PumpPending();
}

int wmain(int argc, wchar_t** argv)
{
    INITCOMMONCONTROLSEX icc = {sizeof(icc), 0xFF};
    ::InitCommonControlsEx(&icc);
    g_testApp.SetRegistryKey(L"KVX");
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
