// CLMPenBase: a stroke of the pen or the highlight pen, a polyline in screen
// pixels. Its first vertex is the top-left corner of the placement rectangle
// (an empty rectangle at that point); every later vertex is kept in a list,
// oldest first. Moving the placement moves the whole polyline.
#pragma once

#include "LMObject.h"

#include <vector>

// Widths outside this range never reach drawing or bounds: a stored width
// below 0 draws as 0, one above the maximum as the maximum. The options pages
// offer 0..8 for the pen and 1..100 for the highlight pen.
constexpr int LM_MIN_STROKE_WIDTH = 0;
constexpr int LM_MAX_STROKE_WIDTH = 128;

class CLMPenBase : public CLMObject {
public:
    CLMPenBase(int type, COLORREF color, int width, const RECT& placement);

    COLORREF GetColor() const { return m_color; }
    int GetWidth() const { return m_width; }
    const std::vector<POINT>& GetPoints() const { return m_points; }
    POINT GetFirstVertex() const { return {m_placement.left, m_placement.top}; }

    // Adds the vertex (x, y) and returns the rectangle to repaint. A point on
    // the first vertex adds nothing. With merge set, a point that continues
    // the newest segment along its axis moves that segment's end instead of
    // adding a vertex, so a straight run stays one segment.
    RECT AddPoint(int x, int y, bool merge);

    // The newest vertex: the last listed point, or the first vertex.
    POINT GetLastPoint() const;
    // The normalized rectangle spanned by the newest segment; empty (0, 0, 0, 0)
    // while the stroke has no segment.
    RECT GetLastSegmentRect() const;

    // Moves every listed point along with the placement's top-left corner.
    void SetPlacement(const RECT& placement) override;
    // The box of all vertices, widened by width + 2 on every side.
    RECT GetBounds() const override;
    // The polyline with whatever pen dc holds.
    void Draw(HDC dc) override;

    static int ClampWidth(int width);

protected:
    COLORREF m_color;
    int m_width;
    std::vector<POINT> m_points;
};

// Pulls p onto the horizontal or vertical line towards q: the axis along which
// q is farther wins (a tie is horizontal), and only a step of more than 5
// pixels counts. Returns whether p changed.
bool SnapToAxis(POINT& p, POINT q);
