// Kivhook's low-level keyboard and mouse hooks, driven by real X input
// (xdotool) and by injected input, with a target window and a focused window
// of the test.
#include "KivhookHost.h"

#include "hook/Kivhook.h"
#include "support/Desktop.h"
#include "support/SimulatedReceiver.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>
#include <vector>

namespace {

const DeviceCommand kRelease = {0, 0};
const DeviceCommand kFunction5 = {0x20, 5};
// Time for a message that should not come to have come.
const DWORD kSettleMs = 200;

class KivhookInputTest : public testing::Test {
protected:
    void SetUp() override { m_input.Activate(); }

    bool WaitForCommands(size_t count, DWORD timeoutMs = 3000)
    {
        return WaitUntil([&] { return m_target.Commands().size() >= count; }, timeoutMs);
    }

    CTargetWindow m_target;
    CInputWindow m_input;
    CHookSession m_hooks{m_target.Handle()};
};

std::vector<INPUT> Chord(WORD digit)
{
    return {KeyInput(VK_CONTROL, true), KeyInput(VK_MENU, true), KeyInput(VK_SHIFT, true),
            KeyInput(digit, true)};
}

std::vector<INPUT> ChordRelease(WORD digit)
{
    return {KeyInput(digit, false), KeyInput(VK_SHIFT, false), KeyInput(VK_MENU, false),
            KeyInput(VK_CONTROL, false)};
}

TEST_F(KivhookInputTest, HeldChordRepeatsItsCommandAndNoWindowSeesTheDigit)
{
    XDoTool(L"keydown ctrl+alt+shift+5");
    bool repeated = WaitUntil([&] { return m_target.Count(kFunction5) >= 3; }, 3000);
    // Released at once, as the receiver does: with xdotool's default pause
    // between keys a repeat of the 5 can come after the modifiers are up, and
    // a bare 5 rightly passes on.
    XDoTool(L"keyup --delay 0 ctrl+alt+shift+5");
    WaitUntil([&] { return m_target.Count(kRelease) > 0; }, 3000);
    PumpMessagesFor(kSettleMs);

    EXPECT_TRUE(repeated) << "key repeats of a held chord each send the command";
    const auto& commands = m_target.Commands();
    ASSERT_FALSE(commands.empty());
    EXPECT_EQ(commands.size() - 1, m_target.Count(kFunction5));
    EXPECT_EQ(kRelease, commands.back());
    EXPECT_EQ(1u, m_target.Count(kRelease));
    // The focused window had the keyboard (it saw the modifiers) but not the 5.
    EXPECT_TRUE(m_input.SawKeyDown(VK_SHIFT));
    EXPECT_FALSE(m_input.SawKeyDown('5'));
    EXPECT_FALSE(m_input.SawChar(L'5'));
    EXPECT_FALSE(m_input.SawChar(L'%'));
}

TEST_F(KivhookInputTest, TypedKeysGiveTheirCommandsAndOnlyChordDigitsAreSwallowed)
{
    struct Case {
        const wchar_t* keys;
        std::vector<DeviceCommand> commands;
        UINT swallowedKey;  // never reaches the focused window
        std::vector<UINT> seenKeys;  // one of them reaches it
        bool releasesRepeat = false;  // commands holds one of several releases
    };
    const Case cases[] = {
        {L"ctrl+alt+shift+9", {{-1, -1}, kRelease}, '9', {VK_SHIFT}},
        {L"ctrl+alt+shift+0", {{-2, -2}, kRelease}, '0', {VK_SHIFT}},
        {L"ctrl+alt+shift+1", {{0x20, 1}, kRelease}, '1', {VK_SHIFT}},
        {L"ctrl+alt+shift+8", {{0x20, 8}, kRelease}, '8', {VK_SHIFT}},
        // The keypad's 5 is another key: it passes on, and only releases with
        // the three modifiers down give commands, (0, 0). (Wine lifts Shift
        // around a keypad key, so how many varies.)
        {L"ctrl+alt+shift+KP_5", {kRelease}, 0, {VK_NUMPAD5, VK_CLEAR}, true},
        {L"Next", {{-1, -1}}, 0, {VK_NEXT}},
        {L"Prior", {{-1, -1}}, 0, {VK_PRIOR}},
        {L"5", {}, 0, {'5'}},
        {L"ctrl+alt+5", {}, 0, {'5'}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "xdotool key " << std::string(c.keys, c.keys + wcslen(c.keys)));
        m_target.Clear();
        m_input.Clear();
        XDoTool(std::wstring(L"key ") + c.keys);
        auto seen = [&] {
            for (UINT key : c.seenKeys)
                if (m_input.SawKeyDown(key))
                    return true;
            return false;
        };
        WaitUntil([&] { return m_target.Commands().size() >= c.commands.size() && seen(); },
                  3000);
        PumpMessagesFor(kSettleMs);

        if (c.releasesRepeat) {
            EXPECT_FALSE(m_target.Commands().empty());
            EXPECT_EQ(m_target.Commands().size(), m_target.Count(kRelease));
        } else {
            EXPECT_EQ(c.commands, m_target.Commands());
        }
        EXPECT_TRUE(seen());
        if (c.swallowedKey != 0) {
            EXPECT_FALSE(m_input.SawKeyDown(c.swallowedKey));
        }
    }
}

TEST_F(KivhookInputTest, DisabledRightButtonReachesNoWindowAndUndoesOnce)
{
    POINT centre = m_input.Centre();
    std::wstring click = L"mousemove " + std::to_wstring(centre.x) + L" " +
                         std::to_wstring(centre.y) + L" click 3";
    const DeviceCommand undo = {-1, 0};

    EnableRightMouseButton(0);
    XDoTool(click);
    WaitUntil([&] { return m_target.Count(undo) > 0; }, 3000);
    PumpMessagesFor(kSettleMs);
    EXPECT_EQ(std::vector<DeviceCommand>{undo}, m_target.Commands());
    EXPECT_EQ(0u, m_input.Count(WM_RBUTTONDOWN));
    EXPECT_EQ(0u, m_input.Count(WM_RBUTTONUP));
    EXPECT_EQ(0u, m_input.Count(WM_CONTEXTMENU));

    EnableRightMouseButton(1);
    m_target.Clear();
    XDoTool(click);
    WaitUntil([&] { return m_input.Count(WM_RBUTTONUP) > 0; }, 3000);
    PumpMessagesFor(kSettleMs);
    EXPECT_EQ(1u, m_input.Count(WM_RBUTTONDOWN));
    EXPECT_EQ(1u, m_input.Count(WM_RBUTTONUP));
    EXPECT_TRUE(m_target.Commands().empty());
}

TEST_F(KivhookInputTest, MovingOntoAWebBrowserControlTellsTheTargetUnlessAButtonIsHeld)
{
    // A child of the focused window standing in for an embedded browser's page.
    WNDCLASSW wc = {};
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"Internet Explorer_Server";
    ::RegisterClassW(&wc);
    HWND browser = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_CHILD | WS_VISIBLE, 0, 0, 200,
                                     300, m_input.Handle(), nullptr, wc.hInstance, nullptr);
    ASSERT_NE(nullptr, browser);
    RECT rect = {};
    ::GetWindowRect(browser, &rect);
    const int inside = rect.left + 100, outside = rect.right + 80, y = rect.top + 150;
    SetHMData(1, 1, 0, 0, 0, 2, 0);

    struct Case {
        const char* name;
        int fromX, toX;
        const wchar_t* button;  // held during the move, or null
        bool hover;
    };
    const Case cases[] = {
        {"onto the browser", outside, inside, nullptr, true},
        {"onto the browser with the left button held", outside, inside, L"1", false},
        {"off the browser", inside, outside, nullptr, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        XDoTool(L"mousemove " + std::to_wstring(c.fromX) + L" " + std::to_wstring(y));
        PumpMessagesFor(kSettleMs);
        m_target.Clear();
        std::wstring move = L"mousemove " + std::to_wstring(c.toX) + L" " + std::to_wstring(y);
        if (c.button != nullptr)
            move = std::wstring(L"mousedown ") + c.button + L" " + move + L" mouseup " + c.button;
        XDoTool(move);
        WaitUntil([&] { return m_target.LinkHovers() > 0; }, c.hover ? 3000 : kSettleMs);
        EXPECT_EQ(c.hover, m_target.LinkHovers() > 0);
    }
    ::DestroyWindow(browser);
}

TEST_F(KivhookInputTest, InstallingTwiceReplacesTheHooks)
{
    JLOD_HookMouse();
    std::vector<INPUT> keys = Chord('3');
    std::vector<INPUT> release = ChordRelease('3');
    keys.insert(keys.end(), release.begin(), release.end());
    EXPECT_TRUE(InjectFromAnotherThread(keys, 3000));
    WaitForCommands(3);
    PumpMessagesFor(kSettleMs);
    // The digit's release and Shift's, both with the three modifiers down.
    const std::vector<DeviceCommand> expected = {{0x20, 3}, kRelease, kRelease};
    EXPECT_EQ(expected, m_target.Commands());
}

// Times Kivhook's keyboard hook from a hook installed after it, which the
// system calls first.
LARGE_INTEGER g_frequency;
std::vector<double>* g_hookTimesMs = nullptr;

LRESULT CALLBACK TimingHook(int code, WPARAM wParam, LPARAM lParam)
{
    LARGE_INTEGER start, end;
    ::QueryPerformanceCounter(&start);
    LRESULT result = ::CallNextHookEx(nullptr, code, wParam, lParam);
    ::QueryPerformanceCounter(&end);
    if (g_hookTimesMs != nullptr)
        g_hookTimesMs->push_back(1000.0 * (end.QuadPart - start.QuadPart) / g_frequency.QuadPart);
    return result;
}

TEST_F(KivhookInputTest, SlowCommandHandlerNeitherHoldsTheHookNorLetsTheDigitThrough)
{
    std::vector<double> hookTimesMs;
    ::QueryPerformanceFrequency(&g_frequency);
    g_hookTimesMs = &hookTimesMs;
    HHOOK timing = ::SetWindowsHookExW(WH_KEYBOARD_LL, TimingHook, ::GetModuleHandleW(nullptr), 0);
    ASSERT_NE(nullptr, timing);
    m_target.DelayNextCommand(1000);

    std::vector<INPUT> keys = Chord('1');
    keys.push_back(KeyInput('1', false));
    keys.push_back(KeyInput('2', true));
    std::vector<INPUT> release = ChordRelease('2');
    keys.insert(keys.end(), release.begin(), release.end());
    EXPECT_TRUE(InjectFromAnotherThread(keys, 8000));
    WaitForCommands(5);
    PumpMessagesFor(kSettleMs);
    ::UnhookWindowsHookEx(timing);
    g_hookTimesMs = nullptr;

    // The release of Shift still has all three modifiers down: (0, 0) once more.
    const std::vector<DeviceCommand> expected = {{0x20, 1}, kRelease, {0x20, 2}, kRelease,
                                                 kRelease};
    EXPECT_EQ(expected, m_target.Commands());
    EXPECT_FALSE(m_input.SawKeyDown('1'));
    EXPECT_FALSE(m_input.SawKeyDown('2'));
    EXPECT_TRUE(m_input.SawKeyDown(VK_SHIFT));
    ASSERT_EQ(keys.size(), hookTimesMs.size());
    for (size_t i = 0; i < hookTimesMs.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "key event " << i);
        EXPECT_LT(hookTimesMs[i], 50.0);
    }
}

TEST_F(KivhookInputTest, NoPulseWhileAChordIsHeld)
{
    CSimulatedReceiver receiver;
    receiver.PlugReceiver();
    SetHMData(1, 0, 0, 0, 0, 2, 0);

    EXPECT_TRUE(InjectFromAnotherThread(Chord('5'), 3000));
    ASSERT_TRUE(WaitUntil([&] { return m_target.Count(kFunction5) > 0; }, 3000));
    EXPECT_EQ(0, SendHaptic());
    EXPECT_TRUE(receiver.Reports().empty());

    EXPECT_TRUE(InjectFromAnotherThread(ChordRelease('5'), 3000));
    ASSERT_TRUE(WaitUntil([&] { return m_target.Count(kRelease) > 0; }, 3000));
    EXPECT_EQ(1, SendHaptic());
    auto reports = receiver.Reports();
    ASSERT_EQ(1u, reports.size());
    EXPECT_EQ((std::vector<BYTE>{0, 0x79, 0x70, 2, 0, 0, 0, 0, 0}), reports[0].bytes);
}

}  // namespace
