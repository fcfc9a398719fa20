// Strokes and the spotlight or zoom drawn into memory bitmaps, read back
// pixel by pixel.
#include "options/Settings.h"
#include "overlay/LMHighlightPen.h"
#include "overlay/LMPen.h"
#include "overlay/LMSpotLight.h"
#include "support/Canvas.h"
#include "support/GdiGeometry.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <memory>
#include <vector>

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kRed = RGB(255, 0, 0);

// A picture in which every pixel tells its own coordinates.
COLORREF PatternAt(int x, int y)
{
    return RGB(x & 0xFF, y & 0xFF, (((x >> 8) & 0xF) << 4) | ((y >> 8) & 0xF));
}

POINT PatternPosition(COLORREF c)
{
    return {GetRValue(c) | ((GetBValue(c) >> 4) << 8), GetGValue(c) | ((GetBValue(c) & 0xF) << 8)};
}

void FillPattern(CTestCanvas& canvas)
{
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x)
            canvas.Set(x, y, PatternAt(x, y));
}

bool Inside(const RECT& r, int x, int y)
{
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

TEST(StrokeDrawingTest, PenStrokeOfWidthFiveCoversItsSegmentAndNothingElse)
{
    CTestCanvas canvas(200, 100, kWhite);
    ASSERT_TRUE(canvas.IsValid());
    // The cursor moves along y = 45; the line runs 5 pixels lower.
    CLMPen pen(kRed, 5, 20, 45, false);
    pen.AddPoint(150, 45, false);
    pen.Draw(canvas.Dc());

    for (int x = 20; x <= 150; ++x)
        ASSERT_EQ(kRed, canvas.Get(x, 50)) << "x " << x;
    for (int y = 48; y <= 52; ++y)
        EXPECT_EQ(kRed, canvas.Get(85, y)) << "across the line at y " << y;
    EXPECT_EQ(kWhite, canvas.Get(85, 45));
    EXPECT_EQ(kWhite, canvas.Get(85, 55));

    const RECT segment = {17, 47, 154, 54};
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            const COLORREF c = canvas.Get(x, y);
            if (c != kWhite) {
                ASSERT_EQ(kRed, c) << "at (" << x << ", " << y << ")";
                ASSERT_TRUE(Inside(segment, x, y)) << "ink at (" << x << ", " << y << ")";
            }
        }
    }
}

TEST(StrokeDrawingTest, StraightLinesHaveSquareEndsAndFreeCurvesRoundOnes)
{
    struct Case {
        bool straightLine;
        COLORREF corner;
    };
    const Case cases[] = {{true, kRed}, {false, kWhite}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.straightLine ? "straight line" : "free curve");
        CTestCanvas canvas(200, 100, kWhite);
        CLMPen pen(kRed, 20, 20, 30, c.straightLine);
        pen.AddPoint(150, 30, false);
        pen.Draw(canvas.Dc());
        // Both ends reach 10 pixels past the end point along the line...
        EXPECT_EQ(kRed, canvas.Get(158, 50));
        // ...but only the square end fills the corner.
        EXPECT_EQ(c.corner, canvas.Get(158, 42));
    }
}

TEST(StrokeDrawingTest, AllInkStaysInsideTheBoundsForAnyWidth)
{
    // The overlay repaints GetBounds when it moves a stroke, so ink outside it
    // would be left behind on the screen.
    for (int width : {-5, 0, 1, 5, 20, 100, 1000000, std::numeric_limits<int>::max()}) {
        for (int kind = 0; kind < 3; ++kind) {
            SCOPED_TRACE(testing::Message() << "width " << width << ", "
                                            << (kind == 0   ? "free-curve pen"
                                                : kind == 1 ? "straight-line pen"
                                                            : "highlight pen"));
            std::unique_ptr<CLMPenBase> stroke;
            if (kind < 2) {
                auto pen = std::make_unique<CLMPen>(kRed, width, 150, 150, kind == 1);
                pen->AddPoint(250, 150, false);
                pen->AddPoint(250, 230, false);
                pen->AddPoint(180, 200, false);
                stroke = std::move(pen);
            } else {
                stroke = std::make_unique<CLMHighlightPen>(0, RGB(0, 0, 0), width, 150, 150);
                stroke->AddPoint(250, 150, false);
                stroke->AddPoint(250, 230, false);
                stroke->AddPoint(180, 200, false);
            }
            CTestCanvas canvas(700, 700, kWhite);
            ASSERT_TRUE(canvas.IsValid());
            // Shifted into the canvas, whose 700 pixels hold any clamped stroke.
            RECT placement = stroke->GetPlacement();
            ::OffsetRect(&placement, 100, 100);
            stroke->SetPlacement(placement);
            stroke->Draw(canvas.Dc());

            const RECT bounds = stroke->GetBounds();
            int inked = 0;
            for (int y = 0; y < canvas.Height(); ++y) {
                for (int x = 0; x < canvas.Width(); ++x) {
                    if (canvas.Get(x, y) != kWhite) {
                        ++inked;
                        ASSERT_TRUE(Inside(bounds, x, y))
                            << "ink at (" << x << ", " << y << ") outside " << bounds;
                    }
                }
            }
            // What a geometric pen of width 0 draws is the platform's business.
            if (stroke->GetWidth() > 0) {
                EXPECT_GT(inked, 0);
            }
        }
    }
}

TEST(StrokeDrawingTest, HighlightNeverDarkensWhereItOverlapsItself)
{
    const COLORREF picture = RGB(200, 180, 160);
    CTestCanvas canvas(200, 100, picture);
    CLMHighlightPen stroke(70, RGB(0, 0, 255), 9, 20, 50);
    ASSERT_EQ(RGB(178, 178, 255), stroke.GetStrokeColor());
    // Across, up, back and down: the last segment crosses the first at (100, 50).
    stroke.AddPoint(180, 50, false);
    stroke.AddPoint(180, 10, false);
    stroke.AddPoint(100, 10, false);
    stroke.AddPoint(100, 90, false);
    stroke.Draw(canvas.Dc());
    stroke.Draw(canvas.Dc());

    const COLORREF marked = RGB(178 & 200, 178 & 180, 255 & 160);
    EXPECT_EQ(marked, canvas.Get(60, 50));
    EXPECT_EQ(marked, canvas.Get(100, 50));
    EXPECT_EQ(marked, canvas.Get(180, 30));
    EXPECT_EQ(picture, canvas.Get(60, 70));
}

TEST(StrokeDrawingTest, GrowAndShrinkStayWithinTheOptionRangesAndStoreTheWidth)
{
    ClearSettings();
    CLMPen pen(kRed, 8, 0, 0, false);
    pen.Grow();
    EXPECT_EQ(8, pen.GetWidth());
    EXPECT_EQ(8, ReadSettingInt(L"Pen", L"Style", -1));
    CLMPen thin(kRed, 0, 0, 0, false);
    thin.Shrink();
    EXPECT_EQ(0, thin.GetWidth());

    CLMHighlightPen highlight(70, kRed, 1, 0, 0);
    highlight.Shrink();
    EXPECT_EQ(0, highlight.GetWidth());
    EXPECT_EQ(0, ReadSettingInt(L"FPen", L"Width", -1));
    highlight.Grow();
    EXPECT_EQ(2, highlight.GetWidth());
    EXPECT_EQ(2, ReadSettingInt(L"FPen", L"Width", -1));
    ClearSettings();
}

class SpotZoomDrawingTest : public testing::Test {
protected:
    static constexpr int kWidth = 800;
    static constexpr int kHeight = 600;

    void SetUp() override
    {
        ASSERT_TRUE(m_source.IsValid());
        ASSERT_TRUE(m_target.IsValid());
    }

    void Paint(const CLMSpotLight& object, bool layered, int bitsPerPixel, double rate)
    {
        m_target.Fill(RGB(0, 0, 0));
        object.PaintSpotZoom(m_target.Dc(), m_source.Dc(), m_target.Rect(), layered, bitsPerPixel,
                             rate);
    }

    // The blended pixel over black: the picture's channels times alpha / 255.
    static void ExpectDimmed(COLORREF picture, BYTE alpha, COLORREF actual)
    {
        const BYTE want[3] = {GetRValue(picture), GetGValue(picture), GetBValue(picture)};
        const BYTE got[3] = {GetRValue(actual), GetGValue(actual), GetBValue(actual)};
        for (int i = 0; i < 3; ++i)
            EXPECT_NEAR(want[i] * alpha / 255.0, got[i], 1.0) << "channel " << i;
    }

    CTestCanvas m_source{kWidth, kHeight, kWhite};
    CTestCanvas m_target{kWidth, kHeight};
};

TEST_F(SpotZoomDrawingTest, SurroundingsAreDarkenedByDepthAndLayeredSupport)
{
    struct Case {
        bool layered;
        int bitsPerPixel;
        int darkness;
        int outside;
    };
    const Case cases[] = {
        {true, 32, 30, 178}, {true, 16, 30, 178}, {true, 8, 30, 178}, {true, 4, 30, 178},
        {true, 24, 30, 0},   {true, 1, 30, 0},    {true, 32, 0, 255}, {true, 32, 100, 0},
        {true, 32, 500, 4},  {false, 32, 30, 64}, {false, 24, 0, 64},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.layered ? "layered" : "not layered") << ", "
                                        << c.bitsPerPixel << " bpp, darkness " << c.darkness);
        // Pressed at (100, 100), dragged to (300, 200).
        CLMSpotLight spot(0, c.darkness, {100, 100, 300, 200}, 3);
        Paint(spot, c.layered, c.bitsPerPixel, 1.0);
        const COLORREF grey = RGB(c.outside, c.outside, c.outside);
        EXPECT_EQ(grey, m_target.Get(10, 10));
        EXPECT_EQ(grey, m_target.Get(104, 104));   // inside the box, outside the ellipse
        EXPECT_EQ(grey, m_target.Get(799, 599));
        EXPECT_EQ(kWhite, m_target.Get(200, 150));
        EXPECT_EQ(kWhite, m_target.Get(102, 150));
    }
}

TEST_F(SpotZoomDrawingTest, WithoutLayeredSupportTheSurroundingsAreUniformDarkGrey)
{
    FillPattern(m_source);
    CLMSpotLight spot(1, 30, {100, 100, 300, 200}, 3);
    Paint(spot, false, 32, 1.0);
    for (int y = 0; y < kHeight; y += 23) {
        for (int x = 0; x < kWidth; x += 29) {
            const bool inShape = Inside({100, 100, 300, 200}, x, y);
            ASSERT_EQ(inShape ? PatternAt(x, y) : RGB(64, 64, 64), m_target.Get(x, y))
                << "at (" << x << ", " << y << ")";
        }
    }
}

TEST_F(SpotZoomDrawingTest, EachShapeCodeLightsItsOwnArea)
{
    struct Case {
        int shapeCode;
        RECT placement;
        std::vector<POINT> lit;
        std::vector<POINT> dark;
    };
    const Case cases[] = {
        {0, {100, 100, 300, 200}, {{200, 150}, {102, 150}, {200, 102}, {297, 150}},
         {{101, 101}, {290, 110}, {110, 195}, {99, 150}}},
        {1, {100, 100, 300, 200}, {{100, 100}, {299, 199}, {200, 150}},
         {{99, 150}, {300, 150}, {200, 200}, {200, 99}}},
        // Corners (200, 100), (100, 150), (200, 200), (300, 150).
        {2, {100, 100, 300, 200}, {{200, 103}, {150, 150}, {250, 170}, {103, 150}},
         {{110, 110}, {290, 190}, {250, 180}, {150, 122}}},
        // Corner ellipses 66 x 33.
        {3, {100, 100, 300, 200}, {{200, 101}, {101, 150}, {200, 150}, {140, 110}},
         {{101, 101}, {298, 198}, {110, 103}}},
        // No region: the whole shape rectangle shows.
        {7, {100, 100, 300, 200}, {{100, 100}, {101, 101}, {299, 199}, {299, 100}},
         {{99, 99}, {300, 200}, {300, 150}}},
        {-1, {100, 100, 300, 200}, {{100, 100}, {299, 199}}, {{99, 99}, {300, 200}}},
        // Dragged up and left: the same shapes.
        {0, {300, 200, 100, 100}, {{200, 150}, {102, 150}}, {{101, 101}, {99, 150}}},
        {1, {300, 200, 100, 100}, {{100, 100}, {299, 199}}, {{99, 150}, {300, 150}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "shape code " << c.shapeCode << ", placement "
                                        << c.placement);
        CLMSpotLight spot(c.shapeCode, 100, c.placement, 3);
        Paint(spot, true, 32, 1.0);
        for (const POINT& p : c.lit)
            EXPECT_EQ(kWhite, m_target.Get(p.x, p.y)) << "lit at " << p;
        for (const POINT& p : c.dark)
            EXPECT_EQ(RGB(0, 0, 0), m_target.Get(p.x, p.y)) << "dark at " << p;
    }
}

TEST_F(SpotZoomDrawingTest, ZoomMagnifiesThePictureAboutTheLensCentre)
{
    FillPattern(m_source);
    struct Case {
        const char* name;
        RECT placement;
        int functionIndex;
        double rate;
        double shown;   // the magnification that should show inside the lens
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Case cases[] = {
        // Pressed at (400, 300), dragged to (500, 350): the lens (300, 250, 500, 350).
        {"rate 2", {400, 300, 500, 350}, 2, 2.0, 2.0},
        {"rate 2, dragged up and left", {400, 300, 300, 250}, 2, 2.0, 2.0},
        {"the page's largest rate", {400, 300, 500, 350}, 2, 10.0, 10.0},
        {"huge rate is bounded", {400, 300, 500, 350}, 2, 1e9, LM_MAX_ZOOM_RATE},
        {"the spotlight ignores the rate", {300, 250, 500, 350}, 3, 2.0, 1.0},
        {"rate 0 shows no picture", {400, 300, 500, 350}, 2, 0.0, 0.0},
        {"negative rate shows no picture", {400, 300, 500, 350}, 2, -2.0, 0.0},
        {"not a number shows no picture", {400, 300, 500, 350}, 2, nan, 0.0},
    };
    const POINT probes[] = {{300, 250}, {400, 300}, {499, 349}, {350, 320}, {460, 260}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CLMSpotLight zoom(1, 30, c.placement, c.functionIndex);
        Paint(zoom, true, 32, c.rate);
        for (const POINT& p : probes) {
            SCOPED_TRACE(testing::Message() << "at " << p);
            const COLORREF shown = m_target.Get(p.x, p.y);
            if (c.shown == 0.0) {
                ExpectDimmed(PatternAt(p.x, p.y), 178, shown);
                continue;
            }
            const POINT from = PatternPosition(shown);
            EXPECT_NEAR(400 + (p.x - 400) / c.shown, from.x, 1.0);
            EXPECT_NEAR(300 + (p.y - 300) / c.shown, from.y, 1.0);
        }
        // Just outside the lens the picture is only darkened.
        ExpectDimmed(PatternAt(299, 300), 178, m_target.Get(299, 300));
        ExpectDimmed(PatternAt(400, 350), 178, m_target.Get(400, 350));
    }
}

}  // namespace
