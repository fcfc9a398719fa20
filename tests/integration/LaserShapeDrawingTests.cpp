// The laser beam's picture as its window paints it: filled with the beam
// colour inside the window region, then the white outline.
#include "pointers/LaserShape.h"
#include "support/Canvas.h"
#include "support/GdiGeometry.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const COLORREF kBeam = RGB(255, 0, 0);
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kOutside = RGB(0, 0, 0);

void PaintBeam(const CLaserShape& shape, CTestCanvas& canvas)
{
    HRGN region = shape.CreateRegion();
    ASSERT_NE(nullptr, region);
    ::SelectClipRgn(canvas.Dc(), region);
    HBRUSH brush = ::CreateSolidBrush(kBeam);
    RECT all = canvas.Rect();
    ::FillRect(canvas.Dc(), &all, brush);
    shape.DrawOutline(canvas.Dc());
    ::SelectClipRgn(canvas.Dc(), nullptr);
    ::DeleteObject(brush);
    ::DeleteObject(region);
}

TEST(LaserShapeDrawingTest, RegionAndOutlineGiveEachShapeItsPicture)
{
    struct Case {
        int type;
        std::vector<POINT> beam;
        std::vector<POINT> outline;
        std::vector<POINT> outside;
    };
    const Case cases[] = {
        {0, {{9, 9}, {3, 9}}, {{0, 9}, {9, 18}}, {{0, 0}, {19, 19}, {19, 0}}},
        {1, {{10, 10}, {2, 17}}, {{0, 0}, {19, 19}, {10, 1}}, {}},
        // The star's tips, its notch between the lower tips and its corners.
        {2, {{16, 16}, {16, 5}, {25, 13}}, {{16, 1}, {1, 11}}, {{3, 3}, {16, 26}, {29, 26}}},
        {3, {{10, 12}, {3, 18}}, {{10, 1}, {10, 19}}, {{1, 1}, {18, 5}}},
        {7, {{9, 9}}, {{0, 9}}, {{0, 0}, {19, 19}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "Type " << c.type << ", Size 20");
        CLaserShape shape(c.type, 20);
        CTestCanvas canvas(shape.GetWindowSize().cx, shape.GetWindowSize().cy, kOutside);
        ASSERT_TRUE(canvas.IsValid());
        PaintBeam(shape, canvas);
        for (const POINT& p : c.beam)
            EXPECT_EQ(kBeam, canvas.Get(p.x, p.y)) << "beam at " << p;
        for (const POINT& p : c.outline)
            EXPECT_EQ(kWhite, canvas.Get(p.x, p.y)) << "outline at " << p;
        for (const POINT& p : c.outside)
            EXPECT_EQ(kOutside, canvas.Get(p.x, p.y)) << "outside at " << p;
    }
}

TEST(LaserShapeDrawingTest, OutOfRangeSizesStillGiveABeamOfBoundedSize)
{
    for (int size : {0, -5, 100000}) {
        SCOPED_TRACE(testing::Message() << "Size " << size);
        for (int type = 0; type < 4; ++type) {
            SCOPED_TRACE(testing::Message() << "Type " << type);
            CLaserShape shape(type, size);
            const SIZE window = shape.GetWindowSize();
            ASSERT_GT(window.cx, 0);
            ASSERT_LE(window.cx, 2 * LASER_MAX_SIZE);
            HRGN region = shape.CreateRegion();
            ASSERT_NE(nullptr, region);
            RECT box;
            EXPECT_NE(NULLREGION, ::GetRgnBox(region, &box));
            EXPECT_GE(box.left, 0);
            EXPECT_GE(box.top, 0);
            EXPECT_LE(box.right, window.cx);
            EXPECT_LE(box.bottom, window.cy);
            ::DeleteObject(region);
        }
    }
}

}  // namespace
