// CObject: the common root of the framework's classes. It only gives every
// object a virtual destructor, so that owners can delete through a base pointer.
#pragma once

class CObject {
public:
    CObject() = default;
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;
    virtual ~CObject() = default;
};
