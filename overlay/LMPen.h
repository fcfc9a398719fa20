// CLMPen: an opaque pen stroke. Every vertex lies `width` pixels below the
// cursor position it comes from, so the line runs just under the pencil
// cursor's tip instead of hiding it. A straight-line stroke is drawn with
// square ends, a free curve with round ones.
#pragma once

#include "LMPenBase.h"

class CLMPen : public CLMPenBase {
public:
    // (x, y) is the cursor position where the stroke begins.
    CLMPen(COLORREF color, int width, int x, int y, bool straightLine);

    bool IsStraightLine() const { return m_straightLine; }

    // Adds the vertex for the cursor position (x, y); see CLMPenBase::AddPoint.
    RECT AddPoint(int x, int y, bool merge);

    void Draw(HDC dc) override;

    // Change the width by one step within the pen page's range and store it
    // as the pen's setting; nothing in the program calls them.
    void Grow() override;
    void Shrink() override;

private:
    bool m_straightLine;
};
