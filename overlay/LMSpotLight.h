// CLMSpotLight: the spotlight and the zoom lens, two renderings of one
// overlay object. Both darken the frozen picture outside a shape; inside it
// the spotlight shows the picture as it is and the zoom shows it magnified
// about the shape's centre. The function index says which one the object is.
//
// For the spotlight the placement rectangle is the shape's bounding box. For
// the zoom its top-left corner is the lens centre and (right - left,
// bottom - top) are the half-width and half-height. Neither is normalized:
// dragging up or left makes right < left or bottom < top.
#pragma once

#include "LMObject.h"

// Zoom rates are used within 0..LM_MAX_ZOOM_RATE; the zoom page offers 1.2 to 10.0.
constexpr double LM_MAX_ZOOM_RATE = 16.0;

class CLMSpotLight : public CLMObject {
public:
    // Shape codes; any other value builds no region.
    enum { ShapeEllipse = 0, ShapeRectangle = 1, ShapeDiamond = 2, ShapeRoundRect = 3 };
    // Function indexes the object can carry.
    enum { ZoomFunction = 2, SpotLightFunction = 3 };

    // darkness is a percentage: 0 leaves the picture as it is, 100 makes it black.
    CLMSpotLight(int shapeCode, int darkness, const RECT& placement, int functionIndex);

    int GetShapeCode() const { return m_shapeCode; }
    int GetDarkness() const { return m_darkness; }
    int GetFunctionIndex() const { return m_functionIndex; }
    void SetFunctionIndex(int functionIndex) { m_functionIndex = functionIndex; }

    // The shape's bounding box: the placement, or for the zoom the rectangle
    // centred on the placement's top-left corner. Not normalized.
    RECT GetShapeRect() const;
    // The region of the shape, owned by the caller; null for shape codes
    // outside 0..3.
    HRGN BuildShapeRegion() const;
    // The constant alpha that darkens the picture outside the shape.
    BYTE GetDimAlpha() const;

    // The overlay's paint step for this object. target is the overlay's
    // buffer, black where nothing was drawn yet; source holds the frozen
    // picture; client is the area both cover. Without layered-window support
    // the surroundings become dark grey; otherwise the picture is blended in
    // at the dim alpha when the screen has 4, 8, 16 or 32 bits per pixel, and
    // left black at other depths. The shape then shows the picture, magnified
    // by rate for the zoom (the spotlight ignores rate).
    void PaintSpotZoom(HDC target, HDC source, const RECT& client, bool layeredSupport,
                       int bitsPerPixel, double rate) const;

private:
    int m_shapeCode = 0;
    int m_darkness = 0;
    int m_functionIndex = SpotLightFunction;
};

// truncate((100 - darkness) / 100 x 255), of which only the low 8 bits count,
// so darkness 30 gives 178 and out-of-range darkness wraps round.
BYTE DimAlphaFor(int darkness);

// The diamond inscribed in q: (mx, top), (left, my), (mx, bottom), (right, my),
// the midpoints truncating towards zero.
void GetDiamondPoints(const RECT& q, POINT points[4]);

// Where the zoom draws the picture under shape: the rectangle scaled by rate
// about its centre, w' = trunc(w x rate), x' = left - (w' - w) / 2 (likewise
// vertically). The rate is first bounded by ClampZoomRate; the result is kept
// within +-2^30, so widths taken from it fit an int.
RECT GetZoomTargetRect(const RECT& shape, double rate);

// rate within 0..LM_MAX_ZOOM_RATE; negative and not-a-number rates become 0,
// which shows no magnified picture.
double ClampZoomRate(double rate);

// The leading decimal number of text: optional sign, digits, optional decimal
// point and digits, optional exponent. 0 when text does not start with one.
// Only that form is read: no white space, hexadecimal, "inf" or "nan".
double ParseZoomRate(const wchar_t* text);
