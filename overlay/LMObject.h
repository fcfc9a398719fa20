// CLMObject: the base of the overlay's annotation objects. An object has a
// type code and a placement rectangle whose meaning is up to its class (the
// first vertex of a stroke, the area of a stamp, the shape of a spotlight);
// the rectangle need not be normalized. The overlay owns its objects and
// deletes them through this base.
#pragma once

#include "../framework/Object.h"

#include <windows.h>

// Type codes of the annotation objects.
constexpr int LMOBJ_CLIPART = 1;
constexpr int LMOBJ_SPOTZOOM = 3;
constexpr int LMOBJ_PEN = 4;
constexpr int LMOBJ_HIGHLIGHTPEN = 5;

class CLMObject : public CObject {
public:
    CLMObject(int type, const RECT& placement);

    int GetType() const { return m_type; }
    RECT GetPlacement() const { return m_placement; }

    // Stores the rectangle.
    virtual void SetPlacement(const RECT& placement);
    // The area the object covers on the screen: here the placement rectangle.
    virtual RECT GetBounds() const;
    // Part of the interface for every object; the base does nothing.
    virtual void Grow();
    virtual void Shrink();
    // Draws the object into dc; the base draws nothing.
    virtual void Draw(HDC dc);

protected:
    RECT m_placement;

private:
    int m_type;
};
