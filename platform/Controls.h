// Controls: child widgets of a window placed at the pixel positions of their Property lists, anchored by
// their lock flags when the window is resized. Events are numbered across the class chain:
//   Control      0 Close, 1 CreatePane, 2 Open
//   RectControl  3 ConstructContextualMenu, 4 ContextualMenuAction, 5 DragEnter, 6 DragExit, 7 DragOver,
//                8 DropObject, 9 KeyDown, 10 KeyUp, 11 MouseEnter, 12 MouseExit, 13 MouseMove, 14 MouseWheel
//   Label        15 AcceleratorKey, 16 MouseDown, 17 MouseDrag, 18 MouseUp
//   PushButton   15 Action, 16 GotFocus, 17 LostFocus, 18 MouseDown, 19 MouseUp
// A control raises only the events listed in its EventSignature; binding any other number is refused.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "PropertyList.h"
#include "Runtime.h"
#include "Text.h"

namespace platform {

class Window;
class MouseCursor;
struct ControlImpl;
struct ControlTraits;
namespace detail {
struct ImplAccess;
}

enum class FontUnits : std::uint8_t { Default = 0, Pixel = 1, Point = 2, Inch = 3, Millimeter = 4 };

namespace event {
inline constexpr std::int32_t kOpen = 2;
inline constexpr std::int32_t kDragExit = 6;
inline constexpr std::int32_t kDragOver = 7;
inline constexpr std::int32_t kDropObject = 8;
inline constexpr std::int32_t kMouseEnter = 11;
inline constexpr std::int32_t kLabelMouseDown = 16;
inline constexpr std::int32_t kLabelMouseUp = 18;
inline constexpr std::int32_t kButtonAction = 15;
}  // namespace event

class Control : public Object {
public:
    static const ClassDescription& Lookup();
};

class RectControl : public Control {
public:
    ~RectControl() override;

    static const ClassDescription& Lookup();

    // The default construction, done before the control is added to its window.
    virtual void Constructor();
    virtual void SetFocus();
    // Repaints the control; at once when `immediately` is true.
    virtual void Refresh(bool immediately = true);

    const std::string& Name() const;
    Ref<Window> ParentWindow() const;

    std::int32_t Left() const;
    std::int32_t Top() const;
    std::int32_t Width() const;
    std::int32_t Height() const;
    bool Visible() const;
    void SetVisible(bool visible);
    bool Enabled() const;
    void SetEnabled(bool enabled);
    bool HasFocus() const;
    // The unit in which the size of the control's text is given; shared by every control with a text.
    FontUnits TextUnit() const;
    void SetTextUnit(FontUnits unit);

    Ref<MouseCursor> GetMouseCursor() const;
    void SetMouseCursor(const Ref<MouseCursor>& cursor);

    // From now on the control takes drags and drops of items the named registered file type admits.
    void AcceptFileDrop(const std::string& fileTypeName);

    // Applies a control Property list; each entry takes effect before the call returns.
    void SetProperties(std::string_view list);
    // Any entry of the applied lists, by its name; nullopt when none set it.
    std::optional<PropertyValue> Setting(std::string_view name) const;

    // The signature text a handler of event `number` must have, e.g. "( TextArea, DragItem, Int32 )";
    // nullopt for a number this control does not raise.
    std::optional<std::string> EventSignature(std::int32_t number) const;
    bool HasEventHandler(std::int32_t number) const;
    std::size_t EventHandlerCount() const;
    // Raises event `number` with its arguments after the control itself; nothing when no handler is bound.
    Value RaiseEvent(std::int32_t number, Args args);

protected:
    // Each control class hands in its traits: the list entries it takes, its focus and size, its widget.
    explicit RectControl(const ControlTraits& traits);
    // The class name used in event signatures ("TextArea", "Label", ...).
    virtual const char* SignatureClassName() const = 0;
    std::unique_ptr<ControlImpl> impl_;

private:
    friend struct detail::ImplAccess;
};

// Binds `handler` to event `number` of `control`. A handler whose signature text differs from the event's
// is refused with RuntimeException.
void RuntimeAddEventHandler(const Ref<RectControl>& control, std::int32_t number,
                            const Ref<Delegate>& handler);

class Label : public RectControl {
public:
    Label();
    static const ClassDescription& Lookup();

    std::string Text() const;
    void SetText(const std::string& text);
    Color TextColor() const;
    void SetTextColor(Color colour);
    bool Bold() const;
    void SetBold(bool bold);
    bool Italic() const;
    bool Underline() const;
    float TextSize() const;
    void SetTextSize(float size);

protected:
    const char* SignatureClassName() const override { return "Label"; }
};

class TextArea : public RectControl {
public:
    TextArea();
    static const ClassDescription& Lookup();

    std::string Text() const;
    void SetText(const std::string& text);
    Color BackColor() const;
    void SetBackColor(Color colour);
    Color TextColor() const;
    bool ReadOnly() const;
    double LineSpacing() const;
    void SetLineSpacing(double spacing);

protected:
    const char* SignatureClassName() const override { return "TextArea"; }
};

class PushButton : public RectControl {
public:
    PushButton();
    static const ClassDescription& Lookup();

    std::string Caption() const;
    bool Default() const;
    bool Cancel() const;
    // Presses the button as a click would: raises Action.
    void Push();

protected:
    const char* SignatureClassName() const override { return "PushButton"; }
};

// The control plug-in's progress wheel: a small turning indicator that animates while it is visible.
class ProgressWheel : public RectControl {
public:
    ProgressWheel();
    static const ClassDescription& Lookup();

protected:
    const char* SignatureClassName() const override { return "ProgressWheel"; }
};

// The class the control plug-in published under "ProgressWheel"; RuntimeException when none was.
const ClassDescription& ProgressWheelClass();

}  // namespace platform
