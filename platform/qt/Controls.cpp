// Controls on Qt Widgets: RectControl (lists, events, state), Label (QLabel), TextArea (a QPlainTextEdit)
// and PushButton (QPushButton), each made from its class's traits. Elsewhere: the list entries each class
// takes in ControlEntries.cpp, the widget and its placement and anchors in ControlImpl.cpp, the widgets' own
// event handling in ControlWidgets.cpp, the progress wheel in ProgressWheel.cpp.
#include "platform/Controls.h"

#include <QAbstractScrollArea>
#include <algorithm>

#include "ControlEntries.h"
#include "ControlImpl.h"
#include "ControlWidgets.h"
#include "QtText.h"
#include "ShellWait.h"
#include "WindowImpl.h"
#include "platform/System.h"
#include "platform/Window.h"
#include "platform/detail/EventBinding.h"

namespace platform {

namespace {

using qt::ToQString;
using qt::ToStdString;

Qt::CursorShape ShapeOf(const MouseCursor& cursor) {
    switch (cursor.GetShape()) {
        case MouseCursor::Shape::PointingHand:
            return Qt::PointingHandCursor;
        case MouseCursor::Shape::Arrow:
            return Qt::ArrowCursor;
    }
    return Qt::ArrowCursor;
}

constexpr ControlTraits kLabelTraits{
    &qt::LabelEntries, Qt::TabFocus, Qt::NoFocus, 80, 20, &MakeLinkedWidget<qt::LabelWidget>};
constexpr ControlTraits kTextAreaTraits{
    &qt::TextAreaEntries, Qt::StrongFocus, Qt::ClickFocus, 100, 60, &MakeLinkedWidget<qt::TextAreaWidget>};
constexpr ControlTraits kPushButtonTraits{
    &qt::PushButtonEntries, Qt::StrongFocus, Qt::ClickFocus, 80, 20, &MakeLinkedWidget<qt::ButtonWidget>};

}  // namespace

// ---------------------------------------------------------------------------------------------------------------
// Events from Qt
// ---------------------------------------------------------------------------------------------------------------

Value qt::controls::RaiseFromQt(RectControl& control, std::int32_t number, std::vector<Value> args) {
    if (shellwait::Running() || !control.HasEventHandler(number)) return {};
    const Ref<Object> keep = control.weak_from_this().lock();
    Value result;
    Dispatch([&] { result = control.RaiseEvent(number, args); });
    return result;
}

void qt::controls::DeliverDrop(RectControl& control, const Ref<Object>& item, std::int32_t action) {
    const Ref<Object> keep = control.weak_from_this().lock();
    RaiseFromQt(control, event::kDropObject, {Value(item), Value(action)});
    RaiseFromQt(control, event::kDragExit, {Value(item), Value(action)});
}

// ---------------------------------------------------------------------------------------------------------------
// Class descriptions
// ---------------------------------------------------------------------------------------------------------------

const ClassDescription& Control::Lookup() {
    static const ClassDescription description{"Control", &Object::Lookup(), {}, {}, {}};
    return description;
}

const ClassDescription& RectControl::Lookup() {
    static const ClassDescription description{"RectControl", &Control::Lookup(), {}, {}, {}};
    return description;
}

const ClassDescription& Label::Lookup() {
    static const ClassDescription description{
        "Label", &RectControl::Lookup(), [] { return std::make_shared<Label>(); }, {}, {}};
    return description;
}

const ClassDescription& TextArea::Lookup() {
    static const ClassDescription description{
        "TextArea", &RectControl::Lookup(), [] { return std::make_shared<TextArea>(); }, {}, {}};
    return description;
}

const ClassDescription& PushButton::Lookup() {
    static const ClassDescription description{
        "PushButton", &RectControl::Lookup(), [] { return std::make_shared<PushButton>(); }, {}, {}};
    return description;
}

// ---------------------------------------------------------------------------------------------------------------
// RectControl
// ---------------------------------------------------------------------------------------------------------------

RectControl::RectControl(const ControlTraits& traits) : impl_(std::make_unique<ControlImpl>(*this, traits)) {}

RectControl::~RectControl() = default;

ControlImpl& detail::ImplAccess::Of(const RectControl& control) { return *control.impl_; }

void RectControl::Constructor() {
    CheckMainThread("RectControl.Constructor");
    impl_->Widget();
}

void RectControl::SetFocus() {
    CheckMainThread("RectControl.SetFocus");
    impl_->Widget().setFocus(Qt::OtherFocusReason);
}

void RectControl::Refresh(bool immediately) {
    CheckMainThread("RectControl.Refresh");
    if (immediately)
        impl_->Widget().repaint();
    else
        impl_->Widget().update();
}

const std::string& RectControl::Name() const { return impl_->name; }

Ref<Window> RectControl::ParentWindow() const { return impl_->window.lock(); }

std::int32_t RectControl::Left() const {
    CheckMainThread("RectControl.Left");
    return impl_->PositionInWindow().x();
}

std::int32_t RectControl::Top() const {
    CheckMainThread("RectControl.Top");
    return impl_->PositionInWindow().y();
}

std::int32_t RectControl::Width() const {
    CheckMainThread("RectControl.Width");
    return impl_->widget ? impl_->widget->width() : impl_->width;
}

std::int32_t RectControl::Height() const {
    CheckMainThread("RectControl.Height");
    return impl_->widget ? impl_->widget->height() : impl_->height;
}

bool RectControl::Visible() const {
    CheckMainThread("RectControl.Visible");
    return impl_->visible;
}

void RectControl::SetVisible(bool visible) {
    CheckMainThread("RectControl.Visible");
    impl_->visible = visible;
    QWidget& widget = impl_->Widget();
    // A widget without a parent would become a window of its own; it shows once it is placed.
    if (widget.parentWidget() || !visible) widget.setVisible(visible);
}

FontUnits RectControl::TextUnit() const {
    CheckMainThread("RectControl.TextUnit");
    return impl_->font.unit;
}

void RectControl::SetTextUnit(FontUnits unit) {
    CheckMainThread("RectControl.TextUnit");
    impl_->font.unit = unit;
    impl_->ApplyFont();
}

bool RectControl::Enabled() const {
    CheckMainThread("RectControl.Enabled");
    return impl_->Widget().isEnabled();
}

void RectControl::SetEnabled(bool enabled) {
    CheckMainThread("RectControl.Enabled");
    impl_->Widget().setEnabled(enabled);
}

bool RectControl::HasFocus() const {
    CheckMainThread("RectControl.HasFocus");
    // The control holding its window's focus: it has the keyboard whenever the window is active.
    QWidget& widget = impl_->Widget();
    return widget.hasFocus() || widget.window()->focusWidget() == &widget;
}

Ref<MouseCursor> RectControl::GetMouseCursor() const {
    CheckMainThread("RectControl.MouseCursor");
    return impl_->cursor;
}

void RectControl::SetMouseCursor(const Ref<MouseCursor>& cursor) {
    CheckMainThread("RectControl.MouseCursor");
    impl_->cursor = cursor;
    if (cursor)
        impl_->Widget().setCursor(ShapeOf(*cursor));
    else
        impl_->Widget().unsetCursor();
}

void RectControl::AcceptFileDrop(const std::string& fileTypeName) {
    CheckMainThread("RectControl.AcceptFileDrop");
    auto& types = impl_->fileTypes;
    if (std::find(types.begin(), types.end(), fileTypeName) == types.end()) types.push_back(fileTypeName);
    QWidget& widget = impl_->Widget();
    widget.setAcceptDrops(true);
    if (auto* area = dynamic_cast<QAbstractScrollArea*>(&widget)) area->viewport()->setAcceptDrops(true);
}

void RectControl::SetProperties(std::string_view list) {
    CheckMainThread("RectControl.SetProperties");
    const qt::EntryTable<ControlImpl>& table = impl_->traits.entries();
    const std::vector<PropertyEntry> entries = table.Decode(list);
    if (entries.empty()) return;
    impl_->Widget();  // the entries act on the widget
    const unsigned followUp = table.Apply(*impl_, impl_->settings, entries);
    if (followUp & qt::kApplyFont) impl_->ApplyFont();
    if (followUp & qt::kPlaceControl) impl_->Place();
    if (followUp & qt::kUpdateTabOrder) {
        if (const Ref<Window> owner = impl_->window.lock(); owner && detail::ImplOf(*owner).constructed)
            detail::ImplOf(*owner).UpdateTabOrder();
    }
}

std::optional<PropertyValue> RectControl::Setting(std::string_view name) const {
    CheckMainThread("RectControl.Setting");
    const auto found = impl_->settings.find(name);
    if (found == impl_->settings.end()) return std::nullopt;
    return found->second;
}

std::optional<std::string> RectControl::EventSignature(std::int32_t number) const {
    return detail::EventSignatureOf(SignatureClassName(), number);
}

bool RectControl::HasEventHandler(std::int32_t number) const { return impl_->handlers.contains(number); }

std::size_t RectControl::EventHandlerCount() const { return impl_->handlers.size(); }

Value RectControl::RaiseEvent(std::int32_t number, Args args) {
    CheckMainThread("RectControl.RaiseEvent");
    const auto found = impl_->handlers.find(number);
    if (found == impl_->handlers.end()) return {};
    const Ref<Delegate> handler = found->second;
    std::vector<Value> all;
    all.reserve(args.size() + 1);
    all.emplace_back(weak_from_this().lock());
    all.insert(all.end(), args.begin(), args.end());
    return handler->Invoke(all);
}

void RuntimeAddEventHandler(const Ref<RectControl>& control, std::int32_t number,
                            const Ref<Delegate>& handler) {
    CheckMainThread("RuntimeAddEventHandler");
    Require(control, "the control of an event binding");
    Require(handler, "the handler of an event binding");
    detail::CheckEventBinding(control->Class().name, control->Name(), number, control->EventSignature(number),
                              handler->Signature());
    detail::ImplOf(*control).handlers[number] = handler;
}

// ---------------------------------------------------------------------------------------------------------------
// Label
// ---------------------------------------------------------------------------------------------------------------

Label::Label() : RectControl(kLabelTraits) {}

std::string Label::Text() const {
    CheckMainThread("Label.Text");
    return ToStdString(impl_->WidgetAs<QLabel>().text());
}

void Label::SetText(const std::string& text) {
    CheckMainThread("Label.Text");
    impl_->WidgetAs<QLabel>().setText(ToQString(text));
}

Color Label::TextColor() const {
    CheckMainThread("Label.TextColor");
    return impl_->textColor;
}

void Label::SetTextColor(Color colour) {
    CheckMainThread("Label.TextColor");
    impl_->textColor = colour;
    qt::SetPaletteColour(impl_->Widget(), QPalette::WindowText, colour);
}

bool Label::Bold() const {
    CheckMainThread("Label.Bold");
    return impl_->font.bold;
}

void Label::SetBold(bool bold) {
    CheckMainThread("Label.Bold");
    impl_->font.bold = bold;
    impl_->ApplyFont();
}

bool Label::Italic() const {
    CheckMainThread("Label.Italic");
    return impl_->font.italic;
}

bool Label::Underline() const {
    CheckMainThread("Label.Underline");
    return impl_->font.underline;
}

float Label::TextSize() const {
    CheckMainThread("Label.TextSize");
    return impl_->font.size;
}

void Label::SetTextSize(float size) {
    CheckMainThread("Label.TextSize");
    impl_->font.size = size;
    impl_->ApplyFont();
}

// ---------------------------------------------------------------------------------------------------------------
// TextArea
// ---------------------------------------------------------------------------------------------------------------

TextArea::TextArea() : RectControl(kTextAreaTraits) {}

std::string TextArea::Text() const {
    CheckMainThread("TextArea.Text");
    return ToStdString(impl_->WidgetAs<qt::TextAreaWidget>().toPlainText());
}

void TextArea::SetText(const std::string& text) {
    CheckMainThread("TextArea.Text");
    auto& editor = impl_->WidgetAs<qt::TextAreaWidget>();
    editor.setPlainText(ToQString(text));
    editor.ApplyLineSpacing(impl_->lineSpacing);
}

Color TextArea::BackColor() const {
    CheckMainThread("TextArea.BackColor");
    return impl_->backColor;
}

void TextArea::SetBackColor(Color colour) {
    CheckMainThread("TextArea.BackColor");
    impl_->backColor = colour;
    impl_->hasBackColor = true;
    qt::SetPaletteColour(impl_->Widget(), QPalette::Base, colour);
}

Color TextArea::TextColor() const {
    CheckMainThread("TextArea.TextColor");
    return impl_->textColor;
}

bool TextArea::ReadOnly() const {
    CheckMainThread("TextArea.ReadOnly");
    return impl_->WidgetAs<qt::TextAreaWidget>().isReadOnly();
}

double TextArea::LineSpacing() const {
    CheckMainThread("TextArea.LineSpacing");
    return impl_->lineSpacing;
}

void TextArea::SetLineSpacing(double spacing) {
    CheckMainThread("TextArea.LineSpacing");
    impl_->lineSpacing = spacing > 0.0 ? spacing : 1.0;
    impl_->WidgetAs<qt::TextAreaWidget>().ApplyLineSpacing(impl_->lineSpacing);
}

// ---------------------------------------------------------------------------------------------------------------
// PushButton
// ---------------------------------------------------------------------------------------------------------------

PushButton::PushButton() : RectControl(kPushButtonTraits) {}

std::string PushButton::Caption() const {
    CheckMainThread("PushButton.Caption");
    return ToStdString(impl_->WidgetAs<QPushButton>().text());
}

bool PushButton::Default() const {
    CheckMainThread("PushButton.Default");
    return impl_->isDefault;
}

bool PushButton::Cancel() const {
    CheckMainThread("PushButton.Cancel");
    return impl_->isCancel;
}

void PushButton::Push() {
    CheckMainThread("PushButton.Push");
    RaiseEvent(event::kButtonAction, {});
}

}  // namespace platform
