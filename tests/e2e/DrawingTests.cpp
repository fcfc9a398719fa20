// Drawing on the overlay with the receiver's chords and real mouse movement:
// pixels read back from the screen.
#include "support/PresviaFixture.h"

#include <string>
#include <vector>

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kRed = RGB(255, 0, 0);

void MouseTo(int x, int y)
{
    XDoTool(L"mousemove " + std::to_wstring(x) + L" " + std::to_wstring(y));
}

class DrawingTest : public PresviaTest {
protected:
    // Draws with the current function from one cursor position through others.
    void Stroke(int digit, const std::vector<POINT>& path)
    {
        MouseTo(path[0].x, path[0].y);
        Press(digit);
        ASSERT_TRUE(WaitForOverlay(true));
        Settle();  // the press has been handled: the tool starts where the cursor was
        for (size_t i = 1; i < path.size(); ++i) {
            MouseTo(path[i].x, path[i].y);
            PumpMessagesFor(80);
        }
        Release(digit);
        Settle();
        PumpMessagesFor(150);
    }

    struct Probe {
        int x, y;
        COLORREF expected;
    };
    void ExpectPixels(const std::vector<Probe>& probes)
    {
        for (const Probe& p : probes) {
            SCOPED_TRACE(testing::Message() << "pixel " << p.x << "," << p.y);
            EXPECT_TRUE(WaitUntil([&] { return ScreenPixel(p.x, p.y) == p.expected; }, 1500))
                << std::hex << ScreenPixel(p.x, p.y) << " instead of " << p.expected;
        }
    }
};

TEST_F(DrawingTest, StraightPenStrokeLeavesFivePixelLinesOnItsSegmentsOnly)
{
    StartPresvia();
    // Pen, straight line, width 5, red (the defaults). The vertices lie 5 px below the cursor.
    Stroke(5, {{300, 300}, {400, 303}, {403, 400}});
    ExpectPixels({
        {350, 305, kRed}, {350, 303, kRed}, {350, 307, kRed},  // the horizontal segment
        {350, 300, kWhite}, {350, 310, kWhite},
        {400, 350, kRed}, {398, 350, kRed}, {402, 350, kRed},  // the vertical segment
        {395, 350, kWhite}, {405, 350, kWhite},
        {350, 350, kWhite}, {600, 600, kWhite},
    });
    // The cursor was put back on the line.
    POINT cursor = {};
    ::GetCursorPos(&cursor);
    EXPECT_EQ(400, cursor.x);
}

TEST_F(DrawingTest, ClickWithoutMovementLeavesNoStroke)
{
    StartPresvia();
    MouseTo(500, 500);
    Press(5);
    ASSERT_TRUE(WaitForOverlay(true));
    Release(5);
    Settle();
    // The overlay stays open with nothing on it: the picture is unchanged.
    ExpectPixels({{500, 500, kWhite}, {500, 505, kWhite}, {505, 505, kWhite}});
    XDoTool(L"click 3");  // undo with nothing left closes the overlay
    EXPECT_TRUE(WaitForOverlay(false));
}

TEST_F(DrawingTest, HighlightStrokeIsGreyOnWhiteAndNoDarkerWhereItCrossesItself)
{
    SetStoredInt(L"FPen", L"Color", 0);
    SetStoredInt(L"FPen", L"Width", 10);
    StartPresvia();
    // Right, down, left, then up across the first segment.
    Stroke(6, {{300, 300}, {500, 302}, {502, 400}, {400, 402}, {402, 250}});
    const COLORREF grey = RGB(178, 178, 178);
    ExpectPixels({
        {450, 300, grey}, {500, 350, grey}, {450, 400, grey}, {400, 270, grey},
        {400, 300, grey},  // the crossing
        {450, 350, kWhite},
    });
}

TEST_F(DrawingTest, LeftDragMovesTheWholeStroke)
{
    StartPresvia();
    Stroke(5, {{300, 300}, {400, 302}});
    ExpectPixels({{350, 305, kRed}});
    XDoTool(L"mousemove 350 305 mousedown 1");
    PumpMessagesFor(100);
    MouseTo(380, 345);
    PumpMessagesFor(100);
    MouseTo(400, 405);
    PumpMessagesFor(100);
    XDoTool(L"mouseup 1");
    ExpectPixels({{350, 305, kWhite}, {400, 405, kRed}, {440, 405, kRed}});
}

TEST_F(DrawingTest, SpotlightDarkensAroundAnEllipse)
{
    SetStoredInt(L"SpotLight", L"Type", 0);
    SetStoredInt(L"SpotLight", L"Trans", 30);
    StartPresvia();
    Stroke(4, {{300, 300}, {400, 350}, {500, 400}});
    const COLORREF dimmed = RGB(178, 178, 178);
    ExpectPixels({
        {400, 350, kWhite},   // the centre of the ellipse in (300, 300, 500, 400)
        {310, 350, kWhite},   // near its left end
        {305, 305, dimmed},   // the corner of the rectangle, outside the ellipse
        {700, 600, dimmed},
    });
}

TEST_F(DrawingTest, ZoomMagnifiesThePictureUnderTheLens)
{
    m_focusWindow->SetMark({595, 445, 605, 455});
    SetStoredInt(L"Zoom", L"Type", 1);
    SetStoredString(L"Zoom", L"Rate", L"2.0");
    StartPresvia();
    // Pressed at the lens centre, dragged out to half-sizes of 100 x 70.
    Stroke(3, {{600, 450}, {650, 490}, {700, 520}});
    const COLORREF dimmed = RGB(178, 178, 178);
    ExpectPixels({
        {607, 457, 0},        // the 10 x 10 mark, drawn twice as large about the centre
        {612, 462, kWhite},
        {550, 400, kWhite},   // inside the lens
        {450, 300, dimmed},   // outside it
    });
}

}  // namespace
