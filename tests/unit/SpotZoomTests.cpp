// Arithmetic of the spotlight and the zoom: shape rectangles, dim alpha,
// diamond corners, the magnified rectangle and the rate text.
#include "overlay/LMSpotLight.h"

#include "support/GdiGeometry.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

namespace {

TEST(SpotZoomTest, ShapeRectOfTheZoomIsCentredOnThePlacementCorner)
{
    struct Case {
        int functionIndex;
        RECT placement;
        RECT shape;
    };
    const Case cases[] = {
        {3, {100, 100, 300, 200}, {100, 100, 300, 200}},
        {3, {300, 200, 100, 100}, {300, 200, 100, 100}},
        // Pressed at (400, 300) and dragged to (500, 350).
        {2, {400, 300, 500, 350}, {300, 250, 500, 350}},
        // Dragged up and left of the centre: the same lens, inverted.
        {2, {400, 300, 300, 250}, {500, 350, 300, 250}},
        {2, {10, 10, 10, 10}, {10, 10, 10, 10}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "function " << c.functionIndex << ", placement "
                                        << c.placement);
        CLMSpotLight object(0, 30, c.placement, c.functionIndex);
        EXPECT_EQ(LMOBJ_SPOTZOOM, object.GetType());
        EXPECT_EQ(c.shape, object.GetShapeRect());
        EXPECT_EQ(c.placement, object.GetBounds());
    }
}

TEST(SpotZoomTest, SwitchingTheFunctionIndexTurnsTheSameRectangleIntoALens)
{
    CLMSpotLight object(0, 30, {400, 300, 500, 350}, 3);
    object.SetFunctionIndex(2);
    EXPECT_EQ(2, object.GetFunctionIndex());
    EXPECT_EQ((RECT{300, 250, 500, 350}), object.GetShapeRect());
}

TEST(SpotZoomTest, DimAlphaKeepsTheLowEightBitsOfTheTruncatedValue)
{
    struct Case {
        int darkness;
        int alpha;
    };
    const Case cases[] = {
        {30, 178}, {0, 255}, {100, 0}, {50, 127},
        // Outside 0..100 the value wraps round instead of being undefined.
        {101, 254}, {500, 4}, {-100, 254}, {INT_MAX, 156}, {INT_MIN, 101},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "darkness " << c.darkness);
        EXPECT_EQ(c.alpha, DimAlphaFor(c.darkness));
        EXPECT_EQ(c.alpha, CLMSpotLight(0, c.darkness, {0, 0, 0, 0}, 3).GetDimAlpha());
    }
}

TEST(SpotZoomTest, DiamondCornersUseTruncatedMidpoints)
{
    struct Case {
        RECT q;
        POINT corners[4];
    };
    const Case cases[] = {
        {{0, 0, 101, 51}, {{50, 0}, {0, 25}, {50, 51}, {101, 25}}},
        {{101, 51, 0, 0}, {{51, 51}, {101, 26}, {51, 0}, {0, 26}}},
        {{-101, -51, 0, 0}, {{-51, -51}, {-101, -26}, {-51, 0}, {0, -26}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "rectangle " << c.q);
        POINT corners[4];
        GetDiamondPoints(c.q, corners);
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(c.corners[i].x, corners[i].x) << "corner " << i;
            EXPECT_EQ(c.corners[i].y, corners[i].y) << "corner " << i;
        }
    }
}

TEST(SpotZoomTest, ZoomTargetIsTheShapeScaledAboutItsCentre)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char* name;
        RECT shape;
        double rate;
        RECT target;
    };
    const Case cases[] = {
        {"lens 200 x 100 at rate 2", {300, 250, 500, 350}, 2.0, {200, 200, 600, 400}},
        {"spotlight rate 1", {100, 100, 300, 200}, 1.0, {100, 100, 300, 200}},
        {"width 101 at 1.5", {1000, 500, 1101, 601}, 1.5, {975, 475, 1126, 626}},
        {"the page's largest rate", {0, 0, 10, 10}, 10.0, {-45, -45, 55, 55}},
        {"rate 0 has no size", {300, 250, 500, 350}, 0.0, {400, 300, 400, 300}},
        {"negative rate counts as 0", {300, 250, 500, 350}, -2.0, {400, 300, 400, 300}},
        {"not a number counts as 0", {300, 250, 500, 350}, nan, {400, 300, 400, 300}},
        {"huge rate is bounded", {0, 0, 10, 10}, 1e9, {-75, -75, 85, 85}},
        {"infinite rate is bounded", {0, 0, 10, 10}, inf, {-75, -75, 85, 85}},
        {"extreme shape stays within 2^30", {INT_MIN, INT_MIN, INT_MAX, INT_MAX}, 16.0,
         {-(1 << 30), -(1 << 30), 1 << 30, 1 << 30}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.target, GetZoomTargetRect(c.shape, c.rate));
    }
}

TEST(SpotZoomTest, RateTextIsReadAsItsLeadingDecimalNumber)
{
    struct Case {
        const wchar_t* text;
        double rate;
    };
    const Case cases[] = {
        {L"2.0", 2.0},   {L"1.5", 1.5},     {L"10.0", 10.0}, {L"2", 2.0},     {L"+3.5x", 3.5},
        {L".5", 0.5},    {L"5.", 5.0},      {L"-2", -2.0},   {L"1e9", 1e9},   {L"1E-1", 0.1},
        {L"2e", 2.0},    {L"2e+", 2.0},     {L"3.0abc", 3.0}, {L"abc", 0.0},  {L"", 0.0},
        {L".", 0.0},     {L"-", 0.0},       {L"e5", 0.0},    {L" 2.0", 0.0},  {L"inf", 0.0},
        {L"nan", 0.0},   {L"0x10", 0.0},    {nullptr, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "text \"" << (c.text ? c.text : L"(null)") << "\"");
        EXPECT_DOUBLE_EQ(c.rate, ParseZoomRate(c.text));
    }
    EXPECT_EQ(LM_MAX_ZOOM_RATE, ClampZoomRate(ParseZoomRate(L"1e99999")));
    EXPECT_EQ(0.0, ClampZoomRate(ParseZoomRate(L"-1e99999")));
}

}  // namespace
