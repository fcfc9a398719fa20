// CLaserShape: the geometry of the laser beam for a shape code and a size as
// stored in the settings: the effective shape and beam size, the window's
// size and position under the cursor, the outline points, the window region
// and the white outline. It holds no window and no GDI object.
#pragma once

#include <windows.h>

#include <array>

// Sizes are used within the range of the Laserbeam page's size slider, which
// shows any stored size as the nearer end of its range.
constexpr int LASER_MIN_SIZE = 10;
constexpr int LASER_MAX_SIZE = 50;

class CLaserShape {
public:
    enum { ShapeCircle = 0, ShapeSquare = 1, ShapeStar = 2, ShapeTriangle = 3 };

    // An unknown shape code becomes the circle; the star's size becomes its
    // radius trunc(0.8 x size).
    CLaserShape(int shapeCode, int size);

    int GetShapeCode() const { return m_shapeCode; }
    // The side of the beam's square, or the star's radius.
    int GetBeamSize() const { return m_beamSize; }

    // The window: 2r x 2r for the star, s x s otherwise.
    SIZE GetWindowSize() const;
    // The window's top-left corner that centres the beam on cursor.
    POINT GetWindowOrigin(POINT cursor) const;

    // The star's ten corners, first tip straight up, clockwise, and the first
    // again; its inner corners lie at 0.51 of the radius.
    std::array<POINT, 11> GetStarPoints() const;
    // The triangle's corners, top first, and the top again.
    std::array<POINT, 4> GetTrianglePoints() const;

    // The window region of the shape, in window coordinates; owned by the caller.
    HRGN CreateRegion() const;
    // The white outline, 2 pixels wide, with no fill.
    void DrawOutline(HDC dc) const;

    static int ClampSize(int size);

private:
    int m_shapeCode;
    int m_beamSize;
};
