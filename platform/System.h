// The system object with its cursors, and opening a web address.
#pragma once

#include <cstdint>
#include <string>

#include "Runtime.h"

namespace platform {

class MouseCursor : public Object {
public:
    enum class Shape : std::int32_t { Arrow, PointingHand };
    explicit MouseCursor(Shape shape) : shape_(shape) {}
    static const ClassDescription& Lookup();
    Shape GetShape() const { return shape_; }

private:
    Shape shape_;
};

class Cursors : public Object {
public:
    static const ClassDescription& Lookup();
    Ref<MouseCursor> FingerPointer() const;
    Ref<MouseCursor> StandardPointer() const;
};

class SystemClass : public Object {
public:
    static const ClassDescription& Lookup();
    Ref<Cursors> GetCursors() const;
};

Ref<SystemClass> System();

// Hands the address to the platform to open in the default browser; nothing comes back.
void ShowURL(const std::string& url);

}  // namespace platform
