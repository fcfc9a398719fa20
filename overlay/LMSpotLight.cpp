#include "LMSpotLight.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

namespace {

bool IsDigit(wchar_t c)
{
    return c >= L'0' && c <= L'9';
}

int ToCoordinate(long long value)
{
    const long long limit = 1LL << 30;
    return static_cast<int>(std::clamp(value, -limit, limit));
}

RECT Normalized(const RECT& rc)
{
    return {std::min(rc.left, rc.right), std::min(rc.top, rc.bottom), std::max(rc.left, rc.right),
            std::max(rc.top, rc.bottom)};
}

}  // namespace

CLMSpotLight::CLMSpotLight(int shapeCode, int darkness, const RECT& placement, int functionIndex)
    : CLMObject(LMOBJ_SPOTZOOM, placement),
      m_shapeCode(shapeCode),
      m_darkness(darkness),
      m_functionIndex(functionIndex)
{
}

RECT CLMSpotLight::GetShapeRect() const
{
    RECT rc = m_placement;
    if (m_functionIndex == ZoomFunction) {
        rc.left -= m_placement.right - m_placement.left;
        rc.top -= m_placement.bottom - m_placement.top;
    }
    return rc;
}

HRGN CLMSpotLight::BuildShapeRegion() const
{
    const RECT q = GetShapeRect();
    switch (m_shapeCode) {
    case ShapeEllipse:
        return ::CreateEllipticRgn(q.left, q.top, q.right, q.bottom);
    case ShapeRectangle:
        return ::CreateRectRgn(q.left, q.top, q.right, q.bottom);
    case ShapeDiamond: {
        POINT points[4];
        GetDiamondPoints(q, points);
        return ::CreatePolygonRgn(points, 4, ALTERNATE);
    }
    case ShapeRoundRect:
        return ::CreateRoundRectRgn(q.left, q.top, q.right, q.bottom, (q.right - q.left) / 3,
                                    (q.bottom - q.top) / 3);
    default:
        return nullptr;
    }
}

BYTE CLMSpotLight::GetDimAlpha() const
{
    return DimAlphaFor(m_darkness);
}

void CLMSpotLight::PaintSpotZoom(HDC target, HDC source, const RECT& client, bool layeredSupport,
                                 int bitsPerPixel, double rate) const
{
    HRGN region = BuildShapeRegion();
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;

    if (!layeredSupport) {
        ::FillRect(target, &client, static_cast<HBRUSH>(::GetStockObject(DKGRAY_BRUSH)));
    } else if (bitsPerPixel == 4 || bitsPerPixel == 8 || bitsPerPixel == 16 ||
               bitsPerPixel == 32) {
        BLENDFUNCTION blend = {AC_SRC_OVER, 0, GetDimAlpha(), 0};
        ::AlphaBlend(target, client.left, client.top, width, height, source, client.left,
                     client.top, width, height, blend);
    }
    // At other depths the buffer stays black outside the shape.

    if (m_functionIndex != ZoomFunction)
        rate = 1.0;
    ::SelectClipRgn(target, region);
    // Normalized, so that a shape dragged up or left is copied like any other
    // instead of relying on how the platform treats negative extents.
    const RECT shape = Normalized(GetShapeRect());
    const RECT lens = GetZoomTargetRect(shape, rate);
    ::StretchBlt(target, lens.left, lens.top, lens.right - lens.left, lens.bottom - lens.top,
                 source, shape.left, shape.top, shape.right - shape.left,
                 shape.bottom - shape.top, SRCCOPY);
    ::SelectClipRgn(target, nullptr);
    if (region != nullptr)
        ::DeleteObject(region);
}

BYTE DimAlphaFor(int darkness)
{
    // Through a 64-bit integer: any int darkness gives a value that fits, and
    // keeping the low 8 bits of an integer is well defined where converting
    // an out-of-range double to BYTE is not.
    const long long alpha = static_cast<long long>((100.0 - darkness) / 100.0 * 255.0);
    return static_cast<BYTE>(alpha & 0xFF);
}

void GetDiamondPoints(const RECT& q, POINT points[4])
{
    const int mx = q.left + (q.right - q.left) / 2;
    const int my = q.top + (q.bottom - q.top) / 2;
    points[0] = {mx, q.top};
    points[1] = {q.left, my};
    points[2] = {mx, q.bottom};
    points[3] = {q.right, my};
}

double ClampZoomRate(double rate)
{
    if (!(rate > 0.0))
        return 0.0;
    return std::min(rate, LM_MAX_ZOOM_RATE);
}

RECT GetZoomTargetRect(const RECT& shape, double rate)
{
    rate = ClampZoomRate(rate);
    const long long w = static_cast<long long>(shape.right) - shape.left;
    const long long h = static_cast<long long>(shape.bottom) - shape.top;
    const long long scaledW = static_cast<long long>(static_cast<double>(w) * rate);
    const long long scaledH = static_cast<long long>(static_cast<double>(h) * rate);
    const long long x = shape.left - (scaledW - w) / 2;
    const long long y = shape.top - (scaledH - h) / 2;
    return {ToCoordinate(x), ToCoordinate(y), ToCoordinate(x + scaledW), ToCoordinate(y + scaledH)};
}

double ParseZoomRate(const wchar_t* text)
{
    if (text == nullptr)
        return 0.0;
    std::string number;
    const wchar_t* p = text;
    if (*p == L'+' || *p == L'-')
        number += static_cast<char>(*p++);
    bool anyDigit = false;
    while (IsDigit(*p)) {
        number += static_cast<char>(*p++);
        anyDigit = true;
    }
    if (*p == L'.') {
        number += static_cast<char>(*p++);
        while (IsDigit(*p)) {
            number += static_cast<char>(*p++);
            anyDigit = true;
        }
    }
    if (!anyDigit)
        return 0.0;
    if (*p == L'e' || *p == L'E') {
        const wchar_t* e = p + 1;
        std::string exponent = "e";
        if (*e == L'+' || *e == L'-')
            exponent += static_cast<char>(*e++);
        if (IsDigit(*e)) {
            while (IsDigit(*e))
                exponent += static_cast<char>(*e++);
            number += exponent;
        }
    }
    // Only plain decimal text reaches strtod, in the C locale the program
    // never changes; an exponent beyond double's range gives infinity or 0.
    return std::strtod(number.c_str(), nullptr);
}
