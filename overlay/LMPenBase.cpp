#include "LMPenBase.h"

#include <algorithm>
#include <cstdlib>

CLMPenBase::CLMPenBase(int type, COLORREF color, int width, const RECT& placement)
    : CLMObject(type, placement), m_color(color), m_width(ClampWidth(width))
{
}

int CLMPenBase::ClampWidth(int width)
{
    return std::clamp(width, LM_MIN_STROKE_WIDTH, LM_MAX_STROKE_WIDTH);
}

RECT CLMPenBase::AddPoint(int x, int y, bool merge)
{
    if (x == m_placement.left && y == m_placement.top)
        return GetLastSegmentRect();

    RECT before = GetLastSegmentRect();
    if (merge && m_points.size() > 1) {
        POINT& last = m_points.back();
        const POINT& prev = m_points[m_points.size() - 2];
        if ((prev.y == last.y && last.y == y) || (prev.x == last.x && last.x == x)) {
            last = {x, y};
            RECT after = GetLastSegmentRect();
            // Segment rectangles exclude their right and bottom edges, where
            // the segment's end pixels lie.
            before.right += 1;
            before.bottom += 1;
            after.right += 1;
            after.bottom += 1;
            RECT both;
            ::UnionRect(&both, &before, &after);
            return both;
        }
    }
    m_points.push_back({x, y});
    return GetLastSegmentRect();
}

POINT CLMPenBase::GetLastPoint() const
{
    return m_points.empty() ? GetFirstVertex() : m_points.back();
}

RECT CLMPenBase::GetLastSegmentRect() const
{
    if (m_points.empty())
        return {0, 0, 0, 0};
    POINT a = m_points.back();
    POINT b = m_points.size() > 1 ? m_points[m_points.size() - 2] : GetFirstVertex();
    return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

void CLMPenBase::SetPlacement(const RECT& placement)
{
    const int dx = placement.left - m_placement.left;
    const int dy = placement.top - m_placement.top;
    CLMObject::SetPlacement(placement);
    for (POINT& p : m_points) {
        p.x += dx;
        p.y += dy;
    }
}

RECT CLMPenBase::GetBounds() const
{
    POINT first = GetFirstVertex();
    RECT box = {first.x, first.y, first.x, first.y};
    for (const POINT& p : m_points) {
        box.left = std::min(box.left, p.x);
        box.top = std::min(box.top, p.y);
        box.right = std::max(box.right, p.x);
        box.bottom = std::max(box.bottom, p.y);
    }
    const int margin = m_width + 2;
    ::InflateRect(&box, margin, margin);
    return box;
}

void CLMPenBase::Draw(HDC dc)
{
    // Only the segments that reach the area being painted are drawn, so a
    // repaint of the newest segment costs the same however long the stroke is.
    RECT clip = {};
    int clipKind = ::GetClipBox(dc, &clip);
    bool clipped = clipKind != NULLREGION && clipKind != ERROR;
    if (clipped)
        ::InflateRect(&clip, m_width + 2, m_width + 2);
    POINT from = {m_placement.left, m_placement.top};
    bool atFrom = false;
    for (const POINT& to : m_points) {
        RECT segment = {std::min(from.x, to.x), std::min(from.y, to.y),
                        std::max(from.x, to.x) + 1, std::max(from.y, to.y) + 1};
        RECT visible = {};
        if (!clipped || ::IntersectRect(&visible, &segment, &clip)) {
            if (!atFrom)
                ::MoveToEx(dc, from.x, from.y, nullptr);
            ::LineTo(dc, to.x, to.y);
            atFrom = true;
        } else {
            atFrom = false;
        }
        from = to;
    }
}

bool SnapToAxis(POINT& p, POINT q)
{
    // Differences in 64 bits: two far-apart int coordinates would overflow.
    const long long dx = std::llabs(static_cast<long long>(q.x) - p.x);
    const long long dy = std::llabs(static_cast<long long>(q.y) - p.y);
    if (dx < dy) {
        if (dy > 5) {
            p.y = q.y;
            return true;
        }
    } else if (dx > 5) {
        p.x = q.x;
        return true;
    }
    return false;
}
