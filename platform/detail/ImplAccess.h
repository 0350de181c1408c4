// The framework's way from a window or a control to its Qt side; the program never includes this.
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
}  // namespace detail

inline WindowImpl& ImplOf(const Window& window) { return detail::ImplAccess::Of(window); }
inline ControlImpl& ImplOf(const RectControl& control) { return detail::ImplAccess::Of(control); }

}  // namespace platform
