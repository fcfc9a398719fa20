#include "LMHighlightPen.h"

#include "../options/Settings.h"

#include <algorithm>

namespace {

double HueToChannel(double p, double q, double hue)
{
    if (hue < 0.0)
        hue += 1.0;
    if (hue > 1.0)
        hue -= 1.0;
    if (hue < 1.0 / 6.0)
        return p + (q - p) * 6.0 * hue;
    if (hue < 0.5)
        return q;
    if (hue < 2.0 / 3.0)
        return p + (q - p) * (2.0 / 3.0 - hue) * 6.0;
    return p;
}

// Truncates a channel in 0..1 to 0..255. The tiny bias keeps rounding noise
// of the round trip through HLS from turning an exact 200 into 199.
BYTE ToByte(double channel)
{
    return static_cast<BYTE>(std::clamp(static_cast<int>(channel * 255.0 + 1e-9), 0, 255));
}

}  // namespace

COLORREF LightenColor(COLORREF color, int transparency)
{
    transparency = std::clamp(transparency, 0, 100);
    const int red = GetRValue(color);
    const int green = GetGValue(color);
    const int blue = GetBValue(color);
    const int high = std::max({red, green, blue});
    const int low = std::min({red, green, blue});

    const double lightness = (high + low) / 510.0;
    double hue = 0.0;
    double saturation = 0.0;
    if (high != low) {
        const double mx = high / 255.0;
        const double mn = low / 255.0;
        const double delta = mx - mn;
        saturation = lightness <= 0.5 ? delta / (mx + mn) : delta / (2.0 - mx - mn);
        if (high == red)
            hue = (green - blue) / 255.0 / delta;
        else if (high == green)
            hue = 2.0 + (blue - red) / 255.0 / delta;
        else
            hue = 4.0 + (red - green) / 255.0 / delta;
        hue /= 6.0;
        if (hue < 0.0)
            hue += 1.0;
    }

    const int steps = static_cast<int>(240.0 - 240.0 * lightness);
    const double lighter = lightness + static_cast<double>(steps) * transparency / 100.0 / 240.0;

    if (saturation == 0.0) {
        const BYTE grey = ToByte(lighter);
        return RGB(grey, grey, grey);
    }
    const double q = lighter < 0.5 ? lighter * (1.0 + saturation)
                                   : lighter + saturation - lighter * saturation;
    const double p = 2.0 * lighter - q;
    return RGB(ToByte(HueToChannel(p, q, hue + 1.0 / 3.0)), ToByte(HueToChannel(p, q, hue)),
               ToByte(HueToChannel(p, q, hue - 1.0 / 3.0)));
}

CLMHighlightPen::CLMHighlightPen(int transparency, COLORREF color, int width, int x, int y)
    : CLMPenBase(LMOBJ_HIGHLIGHTPEN, color, width, {x, y, x, y}),
      m_transparency(std::clamp(transparency, 0, 100))
{
}

COLORREF CLMHighlightPen::GetStrokeColor() const
{
    return LightenColor(m_color, m_transparency);
}

void CLMHighlightPen::Draw(HDC dc)
{
    HPEN pen = ::CreatePen(PS_SOLID, m_width, GetStrokeColor());
    if (pen == nullptr)
        return;
    HGDIOBJ previousPen = ::SelectObject(dc, pen);
    const int previousMix = ::SetROP2(dc, R2_MASKPEN);
    CLMPenBase::Draw(dc);
    ::SetROP2(dc, previousMix);
    ::SelectObject(dc, previousPen);
    ::DeleteObject(pen);
}

void CLMHighlightPen::Grow()
{
    if (m_width < 100)
        m_width += 2;
    WriteSettingInt(L"FPen", L"Width", m_width);
}

void CLMHighlightPen::Shrink()
{
    // A width of 1 would otherwise become -1.
    if (m_width >= 1)
        m_width = std::max(m_width - 2, 0);
    WriteSettingInt(L"FPen", L"Width", m_width);
}
