// Kivhook's global hooks inside another program (hookprobe.exe): haptic
// pulses for new windows, dialogs and system commands, the virtual
// keyboard's window kept from the focus, and the library's lifetime there.
// The settings this test process sets reach the probe only through the
// library's shared section.
#include "KivhookHost.h"

#include "hook/Kivhook.h"
#include "support/SimulatedReceiver.h"
#include "support/TestEnvironment.h"
#include "tools/testapps/HookProbeProtocol.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// Long enough for a dialog's delayed pulse to have come.
const DWORD kDialogSettleMs = 1500;
// Long enough for a pulse sent at once to have come.
const DWORD kSettleMs = 300;

// hookprobe.exe from the test folder, ended if it still runs.
class CProbeProcess {
public:
    CProbeProcess()
    {
        static int s_count = 0;
        std::wstring tag = std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(++s_count);
        m_title = std::wstring(HookProbe::kTitlePrefix) + tag;
        std::wstring command = L"hookprobe.exe " + tag;
        STARTUPINFOW startup = {};
        startup.cb = sizeof(startup);
        ::CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                         &startup, &m_info);
    }
    ~CProbeProcess()
    {
        if (m_info.hProcess == nullptr)
            return;
        if (IsRunning()) {
            ::TerminateProcess(m_info.hProcess, 1);
            ::WaitForSingleObject(m_info.hProcess, 5000);
        }
        ::CloseHandle(m_info.hThread);
        ::CloseHandle(m_info.hProcess);
    }
    CProbeProcess(const CProbeProcess&) = delete;
    CProbeProcess& operator=(const CProbeProcess&) = delete;

    bool WaitForControl(DWORD timeoutMs)
    {
        WaitUntil(
            [this] {
                m_control = ::FindWindowW(HookProbe::kControlClass, m_title.c_str());
                return m_control != nullptr || !IsRunning();
            },
            timeoutMs);
        return m_control != nullptr;
    }

    // Sends a command to the probe; false when it did not answer in time.
    bool Send(UINT command, WPARAM wParam = 0, LRESULT* result = nullptr, DWORD timeoutMs = 5000)
    {
        DWORD_PTR answer = 0;
        bool answered = ::SendMessageTimeoutW(m_control, command, wParam, 0, SMTO_NORMAL,
                                              timeoutMs, &answer) != 0;
        if (result != nullptr)
            *result = static_cast<LRESULT>(answer);
        return answered;
    }
    LRESULT Ask(UINT command, WPARAM wParam = 0)
    {
        LRESULT result = -1;
        EXPECT_TRUE(Send(command, wParam, &result)) << "the probe does not answer";
        return result;
    }

    bool IsRunning() const
    {
        return m_info.hProcess != nullptr &&
               ::WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT;
    }

private:
    PROCESS_INFORMATION m_info = {};
    std::wstring m_title;
    HWND m_control = nullptr;
};

std::vector<BYTE> PulseReport(BYTE volume)
{
    return {0, 0x79, 0x70, volume, 0, 0, 0, 0, 0};
}

class KivhookProcessTest : public testing::Test {
protected:
    void SetUp() override { m_receiver.PlugReceiver(); }

    // A probe started while haptics are off, so its own start gives no pulse.
    std::unique_ptr<CProbeProcess> StartQuietProbe()
    {
        SetHMData(0, 0, 0, 0, 0, 0, 0);
        auto probe = std::make_unique<CProbeProcess>();
        EXPECT_TRUE(probe->WaitForControl(10000));
        EXPECT_EQ(1, probe->Ask(HookProbe::kIsKivhookLoaded)) << "the hooks did not reach the probe";
        return probe;
    }

    size_t ReportCount() const { return m_receiver.Reports().size(); }

    // Pumps until count reports arrived or the timeout passed; the count then.
    size_t WaitForReports(size_t count, DWORD timeoutMs)
    {
        WaitUntil([&] { return ReportCount() >= count; }, timeoutMs);
        return ReportCount();
    }

    CSimulatedReceiver m_receiver;
    CTargetWindow m_target;
    CHookSession m_hooks{m_target.Handle()};
};

TEST_F(KivhookProcessTest, NewTopLevelWindowGivesOnePulseAtTheSharedVolume)
{
    auto probe = StartQuietProbe();
    // Only the low byte of the volume goes into the report: 300 gives 44.
    SetHMData(1, 0, 1, 0, 0, 300, 0);
    ASSERT_NE(0, probe->Ask(HookProbe::kOpenTopLevel));
    WaitForReports(1, 3000);
    PumpMessagesFor(kSettleMs);

    auto reports = m_receiver.Reports();
    ASSERT_EQ(1u, reports.size());
    EXPECT_EQ(PulseReport(44), reports[0].bytes);
}

TEST_F(KivhookProcessTest, DialogGivesExactlyOnePulse)
{
    auto probe = StartQuietProbe();
    SetHMData(1, 0, 1, 0, 0, 2, 0);
    // An owned dialog is announced by no shell hook: its pulse comes from the
    // worker a second after WM_INITDIALOG. An unowned one is also announced
    // by the shell hook, here before its WM_INITDIALOG.
    for (WPARAM owned : {1, 0}) {
        SCOPED_TRACE(owned ? "owned dialog" : "unowned dialog");
        size_t before = ReportCount();
        DWORD opened = ::GetTickCount();
        ASSERT_NE(0, probe->Ask(HookProbe::kOpenDialog, owned));
        EXPECT_EQ(before + 1, WaitForReports(before + 1, 3000));
        DWORD elapsed = ::GetTickCount() - opened;
        PumpMessagesFor(elapsed < kDialogSettleMs ? kDialogSettleMs - elapsed : 0);
        EXPECT_EQ(before + 1, ReportCount());
    }
}

TEST_F(KivhookProcessTest, HapticsOffGivesNoPulse)
{
    auto probe = StartQuietProbe();
    // Every pulse switch on but haptics as a whole off.
    SetHMData(0, 1, 1, 1, 1, 2, 0);
    HWND window = reinterpret_cast<HWND>(probe->Ask(HookProbe::kOpenTopLevel));
    probe->Ask(HookProbe::kOpenDialog, 1);
    probe->Ask(HookProbe::kOpenDialog, 0);
    ::SendMessageTimeoutW(window, WM_SYSCOMMAND, SC_MAXIMIZE, 0, SMTO_NORMAL, 5000, nullptr);
    PumpMessagesFor(kDialogSettleMs);
    EXPECT_EQ(0u, ReportCount());
}

TEST_F(KivhookProcessTest, MinimiseMaximiseAndRestoreEachPulse)
{
    auto probe = StartQuietProbe();
    HWND window = reinterpret_cast<HWND>(probe->Ask(HookProbe::kOpenTopLevel));
    ASSERT_NE(nullptr, window);
    SetHMData(1, 0, 0, 0, 1, 2, 0);
    struct Case {
        const char* name;
        WPARAM command;
        size_t pulses;
    };
    // The system keeps its own bits in the low four (HTCAPTION for a double
    // click on the caption).
    const Case cases[] = {
        {"minimise", SC_MINIMIZE, 1},
        {"restore", SC_RESTORE, 1},
        {"maximise from the caption", SC_MAXIMIZE | HTCAPTION, 1},
        {"restore from the caption", SC_RESTORE | HTCAPTION, 1},
        {"another command", SC_NEXTWINDOW, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        size_t before = ReportCount();
        // The hook sends the pulse before the command returns.
        ASSERT_NE(0, ::SendMessageTimeoutW(window, WM_SYSCOMMAND, c.command, 0, SMTO_NORMAL, 5000,
                                           nullptr));
        EXPECT_EQ(before + c.pulses, WaitForReports(before + c.pulses, 1000));
    }
    PumpMessagesFor(kSettleMs);
    EXPECT_EQ(4u, ReportCount());
}

TEST_F(KivhookProcessTest, VirtualKeyboardWindowIsNeitherActivatedNorFocused)
{
    auto probe = StartQuietProbe();
    struct Case {
        int classIndex;
        LRESULT reached;
    };
    // Only the exact class name counts.
    const Case cases[] = {
        {0, 0},
        {1, HookProbe::kActive | HookProbe::kFocused},
        {2, HookProbe::kActive | HookProbe::kFocused},
    };
    for (const Case& c : cases) {
        const wchar_t* name = HookProbe::kActivationClasses[c.classIndex];
        SCOPED_TRACE(std::string(name, name + wcslen(name)));
        EXPECT_EQ(c.reached, probe->Ask(HookProbe::kTryActivate, c.classIndex));
    }
}

TEST_F(KivhookProcessTest, HookedProgramStartsAndOpensDialogsWithoutHanging)
{
    // Every pulse on from the start: the probe's first window makes its
    // haptic output and opens the receiver inside a hook.
    SetHMData(1, 1, 1, 1, 1, 2, 0);
    CProbeProcess probe;
    ASSERT_TRUE(probe.WaitForControl(10000));
    EXPECT_TRUE(probe.Send(HookProbe::kOpenDialog, 1));
    EXPECT_TRUE(probe.Send(HookProbe::kOpenDialog, 0));
    EXPECT_TRUE(probe.Send(HookProbe::kOpenTopLevel));
    PumpMessagesFor(kDialogSettleMs);
    EXPECT_TRUE(probe.IsRunning());
    EXPECT_TRUE(probe.Send(HookProbe::kIsKivhookLoaded));
    EXPECT_GE(ReportCount(), 3u);
}

TEST_F(KivhookProcessTest, RemovingTheHooksWhileADialogPulseWaitsLeavesTheProgramRunning)
{
    auto probe = StartQuietProbe();
    SetHMData(1, 0, 1, 0, 0, 2, 0);
    ASSERT_NE(0, probe->Ask(HookProbe::kOpenDialog, 1));
    JLOD_UnHookMouse();
    // What the system does once the hooks are gone: it lets go of the library.
    ASSERT_EQ(1, probe->Ask(HookProbe::kReleaseKivhook));
    EXPECT_EQ(1, probe->Ask(HookProbe::kIsKivhookLoaded)) << "the waiting worker keeps it";

    EXPECT_EQ(1u, WaitForReports(1, 3000)) << "the dialog's pulse still comes";
    EXPECT_TRUE(WaitUntil([&] { return probe->Ask(HookProbe::kIsKivhookLoaded) == 0; }, 3000))
        << "the worker lets go of the library when it ends";
    EXPECT_TRUE(probe->IsRunning());
}

}  // namespace
