#include "LaserShape.h"

#include <algorithm>
#include <cmath>

CLaserShape::CLaserShape(int shapeCode, int size) : m_shapeCode(shapeCode), m_beamSize(ClampSize(size))
{
    if (m_shapeCode < ShapeCircle || m_shapeCode > ShapeTriangle)
        m_shapeCode = ShapeCircle;
    if (m_shapeCode == ShapeStar)
        m_beamSize = static_cast<int>(0.8 * m_beamSize);
}

int CLaserShape::ClampSize(int size)
{
    return std::clamp(size, LASER_MIN_SIZE, LASER_MAX_SIZE);
}

SIZE CLaserShape::GetWindowSize() const
{
    const int side = m_shapeCode == ShapeStar ? 2 * m_beamSize : m_beamSize;
    return {side, side};
}

POINT CLaserShape::GetWindowOrigin(POINT cursor) const
{
    const int offset = m_shapeCode == ShapeStar ? m_beamSize : m_beamSize / 2;
    return {cursor.x - offset, cursor.y - offset};
}

std::array<POINT, 11> CLaserShape::GetStarPoints() const
{
    // The step is 36.05 degrees, not 36, and pi is cut short: these constants
    // fix the corners' exact pixels.
    const double pi = 3.1415926;
    const int r = m_beamSize;
    std::array<POINT, 11> points;
    for (int k = 0; k < 10; ++k) {
        const double radius = k % 2 == 0 ? r : 0.51 * r;
        const double angle = k * 72.1 * pi / 360;
        points[k] = {r + static_cast<int>(radius * std::sin(angle)),
                     r - static_cast<int>(radius * std::cos(angle))};
    }
    points[10] = points[0];
    return points;
}

std::array<POINT, 4> CLaserShape::GetTrianglePoints() const
{
    const int s = m_beamSize;
    return {{{s / 2, 0}, {0, s}, {s, s}, {s / 2, 0}}};
}

HRGN CLaserShape::CreateRegion() const
{
    const int s = m_beamSize;
    switch (m_shapeCode) {
    case ShapeSquare:
        return ::CreateRectRgn(0, 0, s, s);
    case ShapeStar: {
        const std::array<POINT, 11> points = GetStarPoints();
        return ::CreatePolygonRgn(points.data(), static_cast<int>(points.size()), ALTERNATE);
    }
    case ShapeTriangle: {
        const std::array<POINT, 4> points = GetTrianglePoints();
        return ::CreatePolygonRgn(points.data(), static_cast<int>(points.size()), ALTERNATE);
    }
    default:
        return ::CreateEllipticRgn(0, 0, s, s);
    }
}

void CLaserShape::DrawOutline(HDC dc) const
{
    HPEN pen = ::CreatePen(PS_SOLID, 2, RGB(255, 255, 255));
    if (pen == nullptr)
        return;
    HGDIOBJ previousPen = ::SelectObject(dc, pen);
    HGDIOBJ previousBrush = ::SelectObject(dc, ::GetStockObject(NULL_BRUSH));
    const int s = m_beamSize;
    switch (m_shapeCode) {
    case ShapeSquare:
        ::Rectangle(dc, 1, 1, s, s);
        break;
    case ShapeStar: {
        const std::array<POINT, 11> points = GetStarPoints();
        ::Polyline(dc, points.data(), static_cast<int>(points.size()));
        break;
    }
    case ShapeTriangle: {
        const std::array<POINT, 4> points = GetTrianglePoints();
        ::Polyline(dc, points.data(), static_cast<int>(points.size()));
        break;
    }
    default:
        ::Ellipse(dc, 0, 0, s - 1, s - 1);
        break;
    }
    ::SelectObject(dc, previousBrush);
    ::SelectObject(dc, previousPen);
    ::DeleteObject(pen);
}
