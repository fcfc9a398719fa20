// Comparison and printing of POINT and RECT for test expectations. They live
// in the global namespace, where the types are, so that GoogleTest and the
// standard containers find them.
#pragma once

#include <windows.h>

#include <optional>
#include <ostream>

inline bool operator==(const POINT& a, const POINT& b)
{
    return a.x == b.x && a.y == b.y;
}

inline bool operator!=(const POINT& a, const POINT& b)
{
    return !(a == b);
}

inline bool operator==(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

inline bool operator!=(const RECT& a, const RECT& b)
{
    return !(a == b);
}

inline std::ostream& operator<<(std::ostream& os, const POINT& p)
{
    return os << "(" << p.x << ", " << p.y << ")";
}

inline std::ostream& operator<<(std::ostream& os, const RECT& r)
{
    return os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

inline std::ostream& operator<<(std::ostream& os, const std::optional<POINT>& p)
{
    return p ? os << *p : os << "none";
}
