// The framework's way from a window or a control to its Qt side; the program never includes this.
// Defined in platform_qt (qt/Window.cpp and qt/Controls.cpp).
#pragma once

namespace platform {

class Window;
class RectControl;
struct WindowImpl;
struct ControlImpl;

namespace detail {

struct ImplAccess {
    static WindowImpl& Of(const Window& window);
    static ControlImpl& Of(const RectControl& control);
};

inline WindowImpl& ImplOf(const Window& window) { return ImplAccess::Of(window); }
inline ControlImpl& ImplOf(const RectControl& control) { return ImplAccess::Of(control); }

}  // namespace detail

}  // namespace platform
