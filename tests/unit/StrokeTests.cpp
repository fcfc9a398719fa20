// Stroke geometry of the pen and the highlight pen: points, axis snapping,
// merging, bounds, moving, and the highlight colour.
#include "overlay/LMHighlightPen.h"
#include "overlay/LMPen.h"

#include "support/GdiGeometry.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <optional>
#include <vector>

namespace {

// One mouse move of a stroke, as the overlay handles it: a free curve takes
// the cursor position; a straight line snaps the cursor position of the
// newest vertex towards the cursor and, when that moved, adds the snapped
// point and puts the cursor there. Returns where the cursor was put.
std::optional<POINT> Continue(CLMPenBase& stroke, POINT cursor, bool straightLine)
{
    CLMPen* pen = stroke.GetType() == LMOBJ_PEN ? static_cast<CLMPen*>(&stroke) : nullptr;
    auto add = [&](POINT p, bool merge) {
        if (pen != nullptr)
            pen->AddPoint(p.x, p.y, merge);
        else
            stroke.AddPoint(p.x, p.y, merge);
    };
    if (!straightLine) {
        add(cursor, false);
        return std::nullopt;
    }
    POINT p = stroke.GetLastPoint();
    if (pen != nullptr)
        p.y -= pen->GetWidth();
    if (!SnapToAxis(p, cursor))
        return std::nullopt;
    add(p, true);
    return p;
}

TEST(StrokeTest, MovesBuildTheExpectedPolylineAndPutTheCursorBackOnTheLine)
{
    struct Move {
        POINT cursor;
        std::optional<POINT> cursorPutBack;
    };
    struct Case {
        const char* name;
        bool highlight;
        bool straightLine;
        POINT start;
        std::vector<Move> moves;
        POINT firstVertex;
        std::vector<POINT> points;
    };
    const Case cases[] = {
        {"pen free curve, width 5", false, false, {100, 100},
         {{{110, 100}, std::nullopt}, {{120, 104}, std::nullopt}},
         {100, 105}, {{110, 105}, {120, 109}}},
        {"pen straight line, width 5", false, true, {100, 100},
         {{{104, 103}, std::nullopt},
          {{110, 103}, POINT{110, 100}},
          {{113, 112}, POINT{110, 112}},
          {{111, 130}, POINT{110, 130}}},
         {100, 105}, {{110, 105}, {110, 135}}},
        {"equal offsets are a horizontal step", false, true, {200, 200},
         {{{210, 210}, POINT{210, 200}}},
         {200, 205}, {{210, 205}}},
        {"the cursor put back moves nothing", false, true, {200, 200},
         {{{210, 203}, POINT{210, 200}}, {{210, 200}, std::nullopt}},
         {200, 205}, {{210, 205}}},
        {"highlight straight line lies on the cursor line", true, true, {100, 100},
         {{{110, 103}, POINT{110, 100}}, {{113, 112}, POINT{110, 112}}},
         {100, 100}, {{110, 100}, {110, 112}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<CLMPenBase> stroke;
        if (c.highlight)
            stroke = std::make_unique<CLMHighlightPen>(70, RGB(0, 0, 255), 20, c.start.x, c.start.y);
        else
            stroke = std::make_unique<CLMPen>(RGB(255, 0, 0), 5, c.start.x, c.start.y, c.straightLine);
        for (const Move& move : c.moves) {
            SCOPED_TRACE(testing::Message() << "move to " << move.cursor);
            EXPECT_EQ(move.cursorPutBack, Continue(*stroke, move.cursor, c.straightLine));
        }
        EXPECT_EQ(c.firstVertex, stroke->GetFirstVertex());
        EXPECT_EQ(c.points, stroke->GetPoints());
    }
}

TEST(StrokeTest, SnapToAxisTakesTheLongerAxisAndIgnoresSmallSteps)
{
    struct Case {
        POINT p;
        POINT q;
        bool moved;
        POINT result;
    };
    const Case cases[] = {
        {{0, 0}, {5, 0}, false, {0, 0}},       {{0, 0}, {6, 1}, true, {6, 0}},
        {{0, 0}, {-7, 2}, true, {-7, 0}},      {{0, 0}, {1, -6}, true, {0, -6}},
        {{0, 0}, {4, 5}, false, {0, 0}},       {{0, 0}, {5, 5}, false, {0, 0}},
        {{0, 0}, {6, 6}, true, {6, 0}},        {{0, 0}, {3, 6}, true, {0, 6}},
        {{INT_MIN, 0}, {INT_MAX, 1}, true, {INT_MAX, 0}},
        {{0, INT_MAX}, {1, INT_MIN}, true, {0, INT_MIN}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.p << " towards " << c.q);
        POINT p = c.p;
        EXPECT_EQ(c.moved, SnapToAxis(p, c.q));
        EXPECT_EQ(c.result, p);
    }
}

TEST(StrokeTest, MergingExtendsACollinearLastSegmentInsteadOfAddingPoints)
{
    CLMHighlightPen stroke(0, 0, 1, 0, 0);
    stroke.AddPoint(10, 0, true);
    // One listed point never merges, even in line with the first vertex.
    stroke.AddPoint(20, 0, true);
    EXPECT_EQ((std::vector<POINT>{{10, 0}, {20, 0}}), stroke.GetPoints());

    // The repaint rectangle covers the old and the new end of the segment.
    EXPECT_EQ((RECT{10, 0, 41, 1}), stroke.AddPoint(40, 0, true));
    EXPECT_EQ((std::vector<POINT>{{10, 0}, {40, 0}}), stroke.GetPoints());

    // Running back along the segment shortens it; the repaint still covers
    // the part that disappears.
    EXPECT_EQ((RECT{10, 0, 41, 1}), stroke.AddPoint(25, 0, true));
    EXPECT_EQ((std::vector<POINT>{{10, 0}, {25, 0}}), stroke.GetPoints());
    stroke.AddPoint(40, 0, true);

    stroke.AddPoint(40, 30, true);
    EXPECT_EQ((RECT{40, 0, 41, 51}), stroke.AddPoint(40, 50, true));
    EXPECT_EQ((std::vector<POINT>{{10, 0}, {40, 0}, {40, 50}}), stroke.GetPoints());

    // Without the merge flag, or off the line, a point is added.
    stroke.AddPoint(40, 60, false);
    stroke.AddPoint(41, 70, true);
    EXPECT_EQ((std::vector<POINT>{{10, 0}, {40, 0}, {40, 50}, {40, 60}, {41, 70}}),
              stroke.GetPoints());

    // A point on the first vertex adds nothing and repaints the newest segment.
    EXPECT_EQ((RECT{40, 60, 41, 70}), stroke.AddPoint(0, 0, true));
    EXPECT_EQ(5u, stroke.GetPoints().size());
}

TEST(StrokeTest, LastSegmentRectIsTheNormalizedNewestSegment)
{
    CLMHighlightPen stroke(0, 0, 3, 100, 100);
    EXPECT_EQ((RECT{0, 0, 0, 0}), stroke.GetLastSegmentRect());
    EXPECT_EQ((POINT{100, 100}), stroke.GetLastPoint());

    EXPECT_EQ((RECT{50, 80, 100, 100}), stroke.AddPoint(50, 80, false));
    EXPECT_EQ((RECT{50, 80, 100, 100}), stroke.GetLastSegmentRect());

    stroke.AddPoint(70, 20, false);
    EXPECT_EQ((RECT{50, 20, 70, 80}), stroke.GetLastSegmentRect());
    EXPECT_EQ((POINT{70, 20}), stroke.GetLastPoint());
}

TEST(StrokeTest, SetPlacementMovesTheWholeStrokeAndItsBounds)
{
    CLMPen pen(RGB(255, 0, 0), 5, 100, 100, false);
    pen.AddPoint(120, 90, false);
    pen.AddPoint(90, 130, false);
    ASSERT_EQ((std::vector<POINT>{{120, 95}, {90, 135}}), pen.GetPoints());
    EXPECT_EQ((RECT{83, 88, 127, 142}), pen.GetBounds());

    // Moving sets a placement whose top-left corner is the new first vertex.
    pen.SetPlacement({150, 205, 150, 205});
    EXPECT_EQ((RECT{150, 205, 150, 205}), pen.GetPlacement());
    EXPECT_EQ((std::vector<POINT>{{170, 195}, {140, 235}}), pen.GetPoints());
    EXPECT_EQ((RECT{133, 188, 177, 242}), pen.GetBounds());
}

TEST(StrokeTest, WidthsOutsideTheUsableRangeAreClamped)
{
    struct Case {
        int width;
        int used;
    };
    const Case cases[] = {{-5, 0}, {INT_MIN, 0}, {0, 0}, {8, 8}, {100, 100}, {128, 128},
                          {129, 128}, {INT_MAX, 128}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "width " << c.width);
        CLMPen pen(0, c.width, 1000, 1000, true);
        EXPECT_EQ(c.used, pen.GetWidth());
        // The pen's vertex offset and the bounds margin use the same width.
        EXPECT_EQ((POINT{1000, 1000 + c.used}), pen.GetFirstVertex());
        pen.AddPoint(1000, 2000, false);
        EXPECT_EQ((POINT{1000, 2000 + c.used}), pen.GetLastPoint());
        const int margin = c.used + 2;
        EXPECT_EQ((RECT{1000 - margin, 1000 + c.used - margin, 1000 + margin,
                        2000 + c.used + margin}),
                  pen.GetBounds());

        CLMHighlightPen highlight(70, 0, c.width, 0, 0);
        EXPECT_EQ(c.used, highlight.GetWidth());
    }
}

TEST(StrokeTest, HighlightColourIsLightenedByTheTransparency)
{
    struct Case {
        COLORREF color;
        int transparency;
        COLORREF expected;
    };
    const Case cases[] = {
        {RGB(0, 0, 0), 70, RGB(178, 178, 178)},
        {RGB(0, 0, 0), 0, RGB(0, 0, 0)},
        {RGB(0, 0, 0), 100, RGB(255, 255, 255)},
        {RGB(0, 0, 255), 70, RGB(178, 178, 255)},
        {RGB(0, 0, 255), 100, RGB(255, 255, 255)},
        // Out-of-range transparency counts as the nearer end.
        {RGB(0, 0, 0), 500, RGB(255, 255, 255)},
        {RGB(0, 0, 0), -20, RGB(0, 0, 0)},
        {RGB(0, 0, 255), INT_MIN, RGB(0, 0, 255)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << "colour 0x" << c.color << std::dec
                                        << " at " << c.transparency);
        EXPECT_EQ(c.expected, LightenColor(c.color, c.transparency));
        EXPECT_EQ(c.expected, CLMHighlightPen(c.transparency, c.color, 20, 0, 0).GetStrokeColor());
    }
}

TEST(StrokeTest, TransparencyZeroKeepsEveryColour)
{
    // The round trip through hue, lightness and saturation must not lose a
    // unit to rounding on the way back.
    for (int red = 0; red < 256; red += 3)
        for (int green = 0; green < 256; green += 5)
            for (int blue = 0; blue < 256; blue += 7) {
                const COLORREF color = RGB(red, green, blue);
                ASSERT_EQ(color, LightenColor(color, 0))
                    << "colour (" << red << ", " << green << ", " << blue << ")";
            }
}

}  // namespace
