// CLMHighlightPen: a marker stroke. Its colour is lightened towards white by
// the transparency and ANDed with the picture underneath (R2_MASKPEN), so
// dark text stays readable and overlapping parts never get darker. Its
// vertices are the cursor positions themselves.
#pragma once

#include "LMPenBase.h"

class CLMHighlightPen : public CLMPenBase {
public:
    // transparency is a percentage; values outside 0..100 are taken as the
    // nearer end.
    CLMHighlightPen(int transparency, COLORREF color, int width, int x, int y);

    int GetTransparency() const { return m_transparency; }

    // The colour used for drawing: the stroke colour lightened by the transparency.
    COLORREF GetStrokeColor() const;

    void Draw(HDC dc) override;

    // Change the width by two pixels within the highlight page's range and
    // store it as the highlight pen's setting; nothing in the program calls them.
    void Grow() override;
    void Shrink() override;

private:
    int m_transparency;
};

// Lightens colour towards white: in hue, lightness and saturation space, the
// lightness L becomes L + trunc(240 - 240 L) x transparency / 100 / 240.
// Transparency 0 keeps the colour; 100 makes it nearly white.
COLORREF LightenColor(COLORREF color, int transparency);
