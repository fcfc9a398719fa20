// The presentation tools, driven by the receiver's chords typed as real X
// input, and by device commands the hook library never produces (favourite
// and page buttons), posted to the main window.
#include "support/PresviaFixture.h"
#include "tools/simreceiver/SimReceiverState.h"

#include <string>
#include <vector>

namespace {

const COLORREF kWhite = RGB(255, 255, 255);

bool IsRed(COLORREF colour)
{
    return GetRValue(colour) > 150 && GetGValue(colour) < 120 && GetBValue(colour) < 120;
}

class ToolTest : public PresviaTest {
protected:
    // How many command 0x80 reports the receiver got; window events add pulses.
    size_t CommandReports() const
    {
        const std::vector<BYTE> command = {0, 0x79, 0x80, 0, 0, 0, 0, 0, 0};
        size_t count = 0;
        for (const auto& report : m_receiver.Reports())
            count += report.bytes == command;
        return count;
    }
    // A sample of points over the whole screen.
    static std::vector<POINT> Grid()
    {
        std::vector<POINT> points;
        int width = ::GetSystemMetrics(SM_CXSCREEN);
        int height = ::GetSystemMetrics(SM_CYSCREEN);
        for (int y = 5; y < height; y += height / 7)
            for (int x = 5; x < width; x += width / 9)
                points.push_back({x, y});
        return points;
    }
};

TEST_F(ToolTest, LaserBeamReplacesTheCursorWhileTheFunctionButtonIsHeld)
{
    StartPresvia();
    XDoTool(L"mousemove 600 400");
    Press(1);
    HWND beam = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (beam = FindPresviaWindow(20, 20)) != nullptr; }, 5000));
    // Centred on the cursor, wherever the beam's own nudge has put it.
    auto centred = [beam] {
        POINT cursor = {};
        RECT rect = {};
        return ::GetCursorPos(&cursor) && ::GetWindowRect(beam, &rect) &&
               rect.left == cursor.x - 10 && rect.top == cursor.y - 10 &&
               rect.right - rect.left == 20 && rect.bottom - rect.top == 20;
    };
    EXPECT_TRUE(WaitUntil(centred, 2000));
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(::GetLayeredWindowAttributes(beam, nullptr, &alpha, &flags));
    EXPECT_EQ(178, alpha);
    EXPECT_TRUE(flags & LWA_ALPHA);
    // Red inside the triangle, the window below outside its region.
    PumpMessagesFor(200);
    EXPECT_TRUE(IsRed(ScreenPixel(600, 405))) << std::hex << ScreenPixel(600, 405);
    EXPECT_EQ(kWhite, ScreenPixel(591, 392));
    EXPECT_EQ(0, StoredPresentMode());

    Release(1);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindowVisible(beam); }, 5000));
    EXPECT_TRUE(ForegroundIsTestWindow());
}

TEST_F(ToolTest, BlackScreenCoversTheDisplayAndTellsTheReceiver)
{
    StartPresvia();
    Press(8);
    Release(8);
    ASSERT_TRUE(WaitForOverlay(true));
    PumpMessagesFor(300);
    for (POINT p : Grid())
        ASSERT_EQ(0u, ScreenPixel(p.x, p.y)) << p.x << "," << p.y;
    EXPECT_TRUE(WaitUntil([&] { return CommandReports() == 1; }, 3000));

    Press(8);
    Release(8);
    EXPECT_TRUE(WaitForOverlay(false));
    EXPECT_TRUE(WaitUntil([&] { return CommandReports() == 2; }, 3000));
    EXPECT_TRUE(WaitUntil([] { return ScreenPixel(500, 500) == kWhite; }, 3000));
}

TEST_F(ToolTest, FunctionChordDuringBlackScreenOnlySelects)
{
    StartPresvia();
    Press(8);
    Release(8);
    ASSERT_TRUE(WaitForOverlay(true));
    Press(5);
    PumpMessagesFor(300);
    EXPECT_EQ(0u, ScreenPixel(500, 500));
    EXPECT_EQ(4, StoredPresentMode());
    Release(5);
    // The release shows the frozen picture again; the overlay stays.
    EXPECT_TRUE(WaitUntil([] { return ScreenPixel(500, 500) == kWhite; }, 3000));
    EXPECT_NE(nullptr, Overlay());
}

TEST_F(ToolTest, FavouriteButtonStepsThroughTheFavourites)
{
    struct Case {
        const char* name;
        int total;
        std::vector<int> favourites;
        std::vector<int> expected;
    };
    const Case cases[] = {
        {"three favourites", 3, {4, 0, 2}, {0, 2, 4, 0}},
        {"no favourites", 0, {}, {0, 1, 2, 3, 4, 5, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ClearSettings();
        SetStoredInt(L"General", L"TotalFavorite", static_cast<DWORD>(c.total));
        for (size_t i = 0; i < c.favourites.size(); ++i)
            SetStoredInt(L"General", (L"FavoriteF" + std::to_wstring(i + 1)).c_str(),
                         static_cast<DWORD>(c.favourites[i]));
        StartPresvia();
        std::vector<int> seen;
        for (size_t press = 0; press < c.expected.size(); ++press) {
            CommandAndWait(0x80, 0);
            CommandAndWait(0, 0);
            seen.push_back(StoredPresentMode());
        }
        EXPECT_EQ(c.expected, seen);
        EXPECT_NE(nullptr, FindPresviaWindow(40, 40));  // the indicator shows the function
        m_presvia.reset();
    }
}

TEST_F(ToolTest, NextPageClosesTheOverlayFirstThenReachesTheFocusedWindow)
{
    StartPresvia();
    Press(5);
    Release(5);
    ASSERT_TRUE(WaitForOverlay(true));
    m_focusWindow->ClearKeys();

    Command(0x08, 0);
    ASSERT_TRUE(WaitForOverlay(false));
    DWORD closed = ::GetTickCount();
    ASSERT_TRUE(WaitUntil([&] { return m_focusWindow->CountKeyDowns(VK_NEXT) == 1; }, 3000));
    auto times = m_focusWindow->KeyDownTimes();
    ASSERT_EQ(1u, times.size());
    EXPECT_GE(times[0] - closed, 120u);
    EXPECT_TRUE(ForegroundIsTestWindow());
    CommandAndWait(0, 0);
}

TEST_F(ToolTest, RightClickUndoesTheLastStrokeAndClosesTheOverlay)
{
    StartPresvia();
    XDoTool(L"mousemove 400 400");
    Press(5);
    ASSERT_TRUE(WaitForOverlay(true));
    XDoTool(L"mousemove 430 400 mousemove 460 400 mousemove 490 400");
    Release(5);
    PumpMessagesFor(200);
    ASSERT_NE(nullptr, Overlay());
    XDoTool(L"click 3");
    EXPECT_TRUE(WaitForOverlay(false));
    EXPECT_TRUE(m_presvia->IsRunning());
}

TEST_F(ToolTest, ClickingTheOverlayNeverActivatesIt)
{
    StartPresvia();
    Press(5);
    Release(5);
    ASSERT_TRUE(WaitForOverlay(true));
    ASSERT_TRUE(ForegroundIsTestWindow());
    XDoTool(L"mousemove 500 500 click 1");
    PumpMessagesFor(300);
    EXPECT_EQ(m_focusWindow->Handle(), ::GetForegroundWindow());
    // A left drag on an overlay without annotations moves nothing and fails nothing.
    XDoTool(L"mousedown 1 mousemove 700 600 mousemove 800 650 mouseup 1");
    PumpMessagesFor(200);
    EXPECT_NE(nullptr, Overlay());
    EXPECT_EQ(kWhite, ScreenPixel(750, 620));
    EXPECT_TRUE(m_presvia->IsRunning());
}

TEST_F(ToolTest, WildLaserSettingsNeverBreakThePointer)
{
    struct Case {
        LPCWSTR name;
        DWORD value;
    };
    const Case cases[] = {
        {L"Size", 0}, {L"Size", static_cast<DWORD>(-5)}, {L"Size", 100000},
        {L"Layer", 0}, {L"Layer", 500}, {L"Type", static_cast<DWORD>(-1)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.name << " " << static_cast<int>(c.value));
        ClearSettings();
        SetStoredInt(L"LaserBeam", c.name, c.value);
        StartPresvia();
        XDoTool(L"mousemove 600 400");
        Press(1);
        HWND beam = nullptr;
        auto findBeam = [&] {
            for (int size = 1; size <= 100 && beam == nullptr; ++size)
                beam = FindPresviaWindow(size, size);
            return beam != nullptr;
        };
        EXPECT_TRUE(WaitUntil(findBeam, 5000));
        BYTE alpha = 0;
        if (beam != nullptr && ::GetLayeredWindowAttributes(beam, nullptr, &alpha, nullptr))
            EXPECT_GT(alpha, 0);
        Release(1);
        PumpMessagesFor(100);
        EXPECT_TRUE(m_presvia->IsRunning());
        m_presvia.reset();
    }
}

TEST_F(ToolTest, KeyboardChordStartsTheKeyboardProgramOnce)
{
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    std::wstring log = std::wstring(temp) + L"lumoraKeyboard.log";
    ::DeleteFileW(log.c_str());
    auto startedCount = [&log] {
        return static_cast<int>(SimReceiver::ReadWholeFile(log).size() / 8);  // "started\n" each
    };

    // Without the program nothing fails, and the tools close.
    StartPresvia();
    Press(5);
    Release(5);
    ASSERT_TRUE(WaitForOverlay(true));
    Press(7);
    Release(7);
    EXPECT_TRUE(WaitForOverlay(false));
    EXPECT_TRUE(m_presvia->IsRunning());

    ASSERT_TRUE(::CopyFileW(L"keyboard_stub.exe", L"lumoraKeyboard.exe", FALSE));
    Press(7);
    PumpMessagesFor(300);
    Release(7);
    EXPECT_TRUE(WaitUntil([&] { return startedCount() >= 1; }, 5000));
    PumpMessagesFor(500);
    EXPECT_EQ(1, startedCount());
    ::DeleteFileW(L"lumoraKeyboard.exe");
    ::DeleteFileW(log.c_str());
}

}  // namespace
