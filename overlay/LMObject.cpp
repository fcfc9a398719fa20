#include "LMObject.h"

CLMObject::CLMObject(int type, const RECT& placement) : m_placement(placement), m_type(type) {}

void CLMObject::SetPlacement(const RECT& placement)
{
    m_placement = placement;
}

RECT CLMObject::GetBounds() const
{
    return m_placement;
}

void CLMObject::Grow() {}

void CLMObject::Shrink() {}

void CLMObject::Draw(HDC) {}
