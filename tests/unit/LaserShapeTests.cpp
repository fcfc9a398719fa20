// Geometry of the laser beam: effective shape and size, window placement
// and the outline points.
#include "pointers/LaserShape.h"

#include "support/GdiGeometry.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace {

std::vector<POINT> ToVector(const POINT* points, size_t count)
{
    return std::vector<POINT>(points, points + count);
}

TEST(LaserShapeTest, ShapeAndSizeGiveTheWindowUnderTheCursor)
{
    const POINT cursor = {500, 400};
    struct Case {
        int type;
        int size;
        int shape;
        int beamSize;
        int windowSide;
        POINT origin;
    };
    const Case cases[] = {
        {3, 20, 3, 20, 20, {490, 390}},   // the defaults: triangle, size 20
        {0, 20, 0, 20, 20, {490, 390}},
        {1, 15, 1, 15, 15, {493, 393}},
        {2, 20, 2, 16, 32, {484, 384}},
        {2, 10, 2, 8, 16, {492, 392}},
        {2, 50, 2, 40, 80, {460, 360}},
        {7, 20, 0, 20, 20, {490, 390}},   // unknown code: circle
        {-1, 20, 0, 20, 20, {490, 390}},
        // Sizes outside the options page's range 10..50 count as its nearer end.
        {0, 0, 0, 10, 10, {495, 395}},
        {0, -5, 0, 10, 10, {495, 395}},
        {0, 100000, 0, 50, 50, {475, 375}},
        {2, INT_MAX, 2, 40, 80, {460, 360}},
        {2, INT_MIN, 2, 8, 16, {492, 392}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "Type " << c.type << ", Size " << c.size);
        CLaserShape shape(c.type, c.size);
        EXPECT_EQ(c.shape, shape.GetShapeCode());
        EXPECT_EQ(c.beamSize, shape.GetBeamSize());
        EXPECT_EQ(c.windowSide, shape.GetWindowSize().cx);
        EXPECT_EQ(c.windowSide, shape.GetWindowSize().cy);
        EXPECT_EQ(c.origin, shape.GetWindowOrigin(cursor));
    }
}

TEST(LaserShapeTest, StarPointsAreExact)
{
    struct Case {
        int size;
        std::vector<POINT> points;
    };
    const Case cases[] = {
        {20, {{16, 0}, {20, 10}, {31, 12}, {23, 18}, {25, 28}, {16, 24}, {7, 28}, {9, 18},
              {1, 11}, {12, 10}, {16, 0}}},
        {10, {{8, 0}, {10, 5}, {15, 6}, {11, 9}, {12, 14}, {8, 12}, {4, 14}, {5, 9}, {1, 6},
              {6, 5}, {8, 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "Size " << c.size);
        const auto points = CLaserShape(2, c.size).GetStarPoints();
        EXPECT_EQ(c.points, ToVector(points.data(), points.size()));
    }
}

TEST(LaserShapeTest, TrianglePointsCloseAtTheTop)
{
    struct Case {
        int size;
        std::vector<POINT> points;
    };
    const Case cases[] = {
        {20, {{10, 0}, {0, 20}, {20, 20}, {10, 0}}},
        {15, {{7, 0}, {0, 15}, {15, 15}, {7, 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "Size " << c.size);
        const auto points = CLaserShape(3, c.size).GetTrianglePoints();
        EXPECT_EQ(c.points, ToVector(points.data(), points.size()));
    }
}

}  // namespace
