// Times Kivhook's hook procedures and what the library adds to starting a
// program its global hooks reach. Run on demand (tools/bench.sh kivhook);
// prints its figures, asserts nothing.
//
// The procedures are called directly, linked from the same sources as the
// library, beside an empty procedure that only passes the event on: under
// Wine, CallNextHookEx is a round trip to the server and dominates both.
#include "Clock.h"
#include "hook/Kivhook.h"
#include "hook/KivhookCore.h"
#include "tools/testapps/HookProbeProtocol.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

const int kCallsPerRound = 20000;
const int kRounds = 5;
const int kStarts = 15;

LRESULT CALLBACK EmptyProc(int code, WPARAM wParam, LPARAM lParam)
{
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

// Best of several rounds, in microseconds per call. The procedure is called
// through a volatile pointer so that neither call is inlined away.
double TimePerCallUs(HOOKPROC proc, WPARAM wParam, LPARAM lParam)
{
    HOOKPROC volatile call = proc;
    double best = 1e30;
    for (int round = 0; round < kRounds; ++round) {
        double start = NowMs();
        for (int i = 0; i < kCallsPerRound; ++i)
            call(HC_ACTION, wParam, lParam);
        best = std::min(best, (NowMs() - start) * 1000.0 / kCallsPerRound);
    }
    return best;
}

void PrintBeside(const char* what, HOOKPROC proc, WPARAM wParam, LPARAM lParam)
{
    double hook = TimePerCallUs(proc, wParam, lParam);
    double empty = TimePerCallUs(EmptyProc, wParam, lParam);
    std::printf("  %-46s %8.2f us   empty procedure %8.2f us   added %+7.2f us\n", what, hook,
                empty, hook - empty);
}

// Pumps this thread's messages (the low-level hooks run on it) until the
// process ends; false after 30 s.
bool WaitForProcess(HANDLE process)
{
    double start = NowMs();
    for (;;) {
        DWORD woke = ::MsgWaitForMultipleObjects(1, &process, FALSE, 100, QS_ALLINPUT);
        if (woke == WAIT_OBJECT_0)
            return true;
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (NowMs() - start > 30000)
            return false;
    }
}

// Time from CreateProcess until hookprobe.exe, having made its window, has ended.
double StartProbeMs()
{
    std::wstring command = L"hookprobe.exe bench quit";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    double start = NowMs();
    if (!::CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &info))
        return -1;
    bool ended = WaitForProcess(info.hProcess);
    double elapsed = NowMs() - start;
    if (!ended)
        ::TerminateProcess(info.hProcess, 1);
    ::CloseHandle(info.hThread);
    ::CloseHandle(info.hProcess);
    return elapsed;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int wmain()
{
    HWND target = ::CreateWindowExW(0, L"STATIC", L"bench target", WS_POPUP, 0, 0, 1, 1, nullptr,
                                    nullptr, nullptr, nullptr);

    // As in the main program: a target window and the default haptic settings.
    Kivhook::SetTarget(target);
    Kivhook::SetHapticSettings(1, 1, 1, 0, 0, 2, 50);

    std::printf("Hook procedures, per call (best of %d rounds of %d calls)\n", kRounds,
                kCallsPerRound);
    CWPSTRUCT paint = {0, 0, WM_PAINT, target};
    PrintBeside("call-window-procedure hook, WM_PAINT", Kivhook::CallWndProc, 0,
                reinterpret_cast<LPARAM>(&paint));
    Kivhook::SetGuardedWindow(target);
    PrintBeside("  the same while a window is guarded", Kivhook::CallWndProc, 0,
                reinterpret_cast<LPARAM>(&paint));
    Kivhook::SetGuardedWindow(nullptr);
    KBDLLHOOKSTRUCT keyA = {'A', 0x1E, 0, 0, 0};
    PrintBeside("low-level keyboard hook, A pressed", Kivhook::KeyboardProc, WM_KEYDOWN,
                reinterpret_cast<LPARAM>(&keyA));
    PrintBeside("low-level keyboard hook, A released", Kivhook::KeyboardProc, WM_KEYUP,
                reinterpret_cast<LPARAM>(&keyA));

    std::printf("\nStarting hookprobe.exe (median of %d starts each, taken in turn, until it "
                "has made a window and ended)\n", kStarts);
    JLOD_SetHWND(target);
    std::vector<double> unhookedTimes, quietTimes, pulsingTimes;
    for (int i = 0; i < kStarts; ++i) {
        unhookedTimes.push_back(StartProbeMs());
        JLOD_HookMouse();
        SetHMData(0, 0, 0, 0, 0, 2, 50);
        quietTimes.push_back(StartProbeMs());
        // Every new window pulses; without a receiver each pulse looks for it again.
        SetHMData(1, 1, 1, 0, 0, 2, 50);
        pulsingTimes.push_back(StartProbeMs());
        JLOD_UnHookMouse();
    }
    SetHMData(1, 1, 1, 0, 0, 0, 0);
    JLOD_SetHWND(nullptr);
    double unhooked = Median(unhookedTimes);
    double hookedQuiet = Median(quietTimes);
    double hookedPulsing = Median(pulsingTimes);

    std::printf("  %-46s %8.1f ms\n", "without the hooks", unhooked);
    std::printf("  %-46s %8.1f ms   added %+7.1f ms\n", "hooked, haptics off", hookedQuiet,
                hookedQuiet - unhooked);
    std::printf("  %-46s %8.1f ms   added %+7.1f ms\n", "hooked, pulse on new window, no receiver",
                hookedPulsing, hookedPulsing - unhooked);
    ::DestroyWindow(target);
    return 0;
}
