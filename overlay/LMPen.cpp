#include "LMPen.h"

#include "../options/Settings.h"

namespace {

RECT VertexRect(int x, int y)
{
    return {x, y, x, y};
}

}  // namespace

CLMPen::CLMPen(COLORREF color, int width, int x, int y, bool straightLine)
    : CLMPenBase(LMOBJ_PEN, color, width, VertexRect(x, y + ClampWidth(width))),
      m_straightLine(straightLine)
{
}

RECT CLMPen::AddPoint(int x, int y, bool merge)
{
    return CLMPenBase::AddPoint(x, y + m_width, merge);
}

void CLMPen::Draw(HDC dc)
{
    LOGBRUSH brush = {BS_SOLID, m_color, 0};
    const DWORD style = PS_GEOMETRIC | PS_SOLID | PS_JOIN_ROUND |
                        (m_straightLine ? PS_ENDCAP_SQUARE : PS_ENDCAP_ROUND);
    HPEN pen = ::ExtCreatePen(style, static_cast<DWORD>(m_width), &brush, 0, nullptr);
    if (pen == nullptr)
        return;
    HGDIOBJ previous = ::SelectObject(dc, pen);
    CLMPenBase::Draw(dc);
    ::SelectObject(dc, previous);
    ::DeleteObject(pen);
}

void CLMPen::Grow()
{
    if (m_width < 8)
        m_width += 1;
    WriteSettingInt(L"Pen", L"Style", m_width);
}

void CLMPen::Shrink()
{
    if (m_width >= 1)
        m_width -= 1;
    WriteSettingInt(L"Pen", L"Style", m_width);
}
