// Controls on Qt Widgets: RectControl (widget, geometry and anchors, lists, events), Label (QLabel),
// TextArea (a QPlainTextEdit) and PushButton (QPushButton). The widgets' own event handling is in
// ControlWidgets.cpp; the progress wheel in ProgressWheel.cpp.
//
// List entries with no Qt counterpart are kept and readable through Setting(): Index, TabPanelIndex,
// AutoDeactivate, DataSource, DataField, Styled, Format, Mask, AutomaticallyCheckSpelling, ButtonStyle.
#include "platform/Controls.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QEvent>
#include <QResizeEvent>
#include <QScrollBar>
#include <QTextDocument>
#include <algorithm>
#include <array>
#include <utility>

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

using qt::ToQColor;
using qt::ToQString;
using qt::ToStdString;

// ---------------------------------------------------------------------------------------------------------------
// Entry tables, one per control class
// ---------------------------------------------------------------------------------------------------------------

struct EntryType {
    std::string_view name;
    PropertyType type;
};

constexpr auto I = PropertyType::Int32;
constexpr auto B = PropertyType::Boolean;
constexpr auto C = PropertyType::Color;
constexpr auto S = PropertyType::String;

constexpr std::array kCommonEntries{
    EntryType{"Name", S},       EntryType{"Index", I},          EntryType{"Left", I},
    EntryType{"Top", I},        EntryType{"Width", I},          EntryType{"Height", I},
    EntryType{"LockLeft", B},   EntryType{"LockTop", B},        EntryType{"LockRight", B},
    EntryType{"LockBottom", B}, EntryType{"TabPanelIndex", I},  EntryType{"TabIndex", I},
    EntryType{"TabStop", B},    EntryType{"Visible", B},        EntryType{"Enabled", B},
    EntryType{"HelpTag", S},    EntryType{"AutoDeactivate", B}, EntryType{"InitialParent", S},
};
constexpr std::array kFontEntries{
    EntryType{"TextFont", S},
    EntryType{"Bold", B},
    EntryType{"Italic", B},
    EntryType{"Underline", B},
};
constexpr std::array kLabelEntries{
    EntryType{"Text", S},       EntryType{"TextAlign", I},  EntryType{"TextColor", C},
    EntryType{"Multiline", B},  EntryType{"Selectable", B}, EntryType{"Transparent", B},
    EntryType{"DataSource", S}, EntryType{"DataField", S},
};
constexpr std::array kTextAreaEntries{
    EntryType{"Border", B},
    EntryType{"Multiline", B},
    EntryType{"ScrollbarHorizontal", B},
    EntryType{"ScrollbarVertical", B},
    EntryType{"Styled", B},
    EntryType{"UseFocusRing", B},
    EntryType{"TextColor", C},
    EntryType{"BackColor", C},
    EntryType{"Format", S},
    EntryType{"HideSelection", B},
    EntryType{"Text", S},
    EntryType{"Mask", S},
    EntryType{"ReadOnly", B},
    EntryType{"LimitText", I},
    EntryType{"AcceptTabs", B},
    EntryType{"Alignment", I},
    EntryType{"AutomaticallyCheckSpelling", B},
    EntryType{"DataSource", S},
    EntryType{"DataField", S},
};
constexpr std::array kButtonEntries{
    EntryType{"ButtonStyle", I},
    EntryType{"Cancel", B},
    EntryType{"Default", B},
    EntryType{"Caption", S},
};

template <std::size_t N>
std::optional<PropertyType> Find(const std::array<EntryType, N>& table, std::string_view name) {
    for (const EntryType& entry : table) {
        if (entry.name == name) return entry.type;
    }
    return std::nullopt;
}

std::optional<PropertyType> LabelEntryType(std::string_view name) {
    if (auto t = qt::controls::CommonEntryType(name)) return t;
    if (auto t = Find(kFontEntries, name)) return t;
    return Find(kLabelEntries, name);
}

std::optional<PropertyType> TextAreaEntryType(std::string_view name) {
    if (auto t = qt::controls::CommonEntryType(name)) return t;
    if (auto t = Find(kFontEntries, name)) return t;
    return Find(kTextAreaEntries, name);
}

std::optional<PropertyType> PushButtonEntryType(std::string_view name) {
    if (auto t = qt::controls::CommonEntryType(name)) return t;
    if (auto t = Find(kFontEntries, name)) return t;
    return Find(kButtonEntries, name);
}

// ---------------------------------------------------------------------------------------------------------------
// Anchors: the widget follows its parent's resizes
// ---------------------------------------------------------------------------------------------------------------

class AnchorWatch : public QObject {
public:
    explicit AnchorWatch(ControlImpl& control) : control_(control) {}
    QPointer<QWidget> watched;

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        qt::Dispatch([&] {
            if (event->type() == QEvent::Resize && object == watched && control_.HasWidget()) {
                control_.Anchor(static_cast<QResizeEvent*>(event)->size());
            }
        });
        return false;
    }

private:
    ControlImpl& control_;
};

Qt::CursorShape ShapeOf(const MouseCursor& cursor) {
    switch (cursor.GetShape()) {
        case MouseCursor::Shape::PointingHand:
            return Qt::PointingHandCursor;
        case MouseCursor::Shape::Arrow:
            return Qt::ArrowCursor;
    }
    return Qt::ArrowCursor;
}

void SetPaletteColour(QWidget& widget, QPalette::ColorRole role, Color colour) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Active, role, ToQColor(colour));
    palette.setColor(QPalette::Inactive, role, ToQColor(colour));
    widget.setPalette(palette);
}

Qt::Alignment LabelAlignment(std::int32_t align) {
    switch (align) {
        case 1:
            return Qt::AlignHCenter | Qt::AlignVCenter;
        case 2:
            return Qt::AlignRight | Qt::AlignVCenter;
        default:
            return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

// TextArea Alignment: 0 the default (left), 1 left, 2 centre, 3 right.
Qt::Alignment EditorAlignment(std::int32_t align) {
    switch (align) {
        case 2:
            return Qt::AlignHCenter;
        case 3:
            return Qt::AlignRight;
        default:
            return Qt::AlignLeft;
    }
}

void SetHideSelection(QPlainTextEdit& editor, bool hide) {
    QPalette palette = editor.palette();
    if (hide) {
        palette.setColor(QPalette::Inactive, QPalette::Highlight,
                         palette.color(QPalette::Inactive, QPalette::Base));
        palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                         palette.color(QPalette::Inactive, QPalette::Text));
    } else {
        palette.setColor(QPalette::Inactive, QPalette::Highlight,
                         palette.color(QPalette::Active, QPalette::Highlight));
        palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                         palette.color(QPalette::Active, QPalette::HighlightedText));
    }
    editor.setPalette(palette);
}

// Cuts the editor's text to `limit` characters (0: no limit).
void EnforceLimit(QPlainTextEdit& editor, std::int32_t limit) {
    if (limit <= 0) return;
    const QString text = editor.toPlainText();
    if (text.size() <= limit) return;
    QTextCursor cursor(editor.document());
    cursor.setPosition(limit);
    cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
}

// What applying one list changed, to be brought in line once the whole list is applied.
struct Pending {
    bool place = false;
    bool font = false;
    bool tabOrder = false;
};

void ApplyEntry(ControlImpl& d, const PropertyEntry& entry, Pending& pending) {
    const std::string_view name = entry.name;
    const auto i32 = [&] { return std::get<std::int32_t>(entry.value); };
    const auto flag = [&] { return std::get<bool>(entry.value); };
    const auto colour = [&] { return std::get<Color>(entry.value); };
    const auto text = [&] { return std::get<std::string>(entry.value); };

    QWidget& widget = d.Widget();
    auto* label = dynamic_cast<QLabel*>(&widget);
    auto* editor = dynamic_cast<qt::TextAreaWidget*>(&widget);
    auto* button = dynamic_cast<QPushButton*>(&widget);

    if (name == "Name") {
        if (d.name.empty()) d.name = text();
    } else if (name == "Left") {
        d.left = i32();
        pending.place = true;
    } else if (name == "Top") {
        d.top = i32();
        pending.place = true;
    } else if (name == "Width") {
        d.width = std::max(0, i32());
        pending.place = true;
    } else if (name == "Height") {
        d.height = std::max(0, i32());
        pending.place = true;
    } else if (name == "LockLeft") {
        d.lockLeft = flag();
        pending.place = true;
    } else if (name == "LockTop") {
        d.lockTop = flag();
        pending.place = true;
    } else if (name == "LockRight") {
        d.lockRight = flag();
        pending.place = true;
    } else if (name == "LockBottom") {
        d.lockBottom = flag();
        pending.place = true;
    } else if (name == "InitialParent") {
        d.initialParent = text();
        pending.place = true;
    } else if (name == "TabIndex") {
        d.tabIndex = i32();
        pending.tabOrder = true;
    } else if (name == "TabStop") {
        widget.setFocusPolicy(flag() ? d.focusable : d.unfocusable);
        pending.tabOrder = true;
    } else if (name == "Visible") {
        d.self.SetVisible(flag());
    } else if (name == "Enabled") {
        widget.setEnabled(flag());
    } else if (name == "HelpTag") {
        widget.setToolTip(ToQString(text()));
    } else if (name == "TextFont") {
        d.font.family = text();
        pending.font = true;
    } else if (name == "Bold") {
        d.font.bold = flag();
        pending.font = true;
    } else if (name == "Italic") {
        d.font.italic = flag();
        pending.font = true;
    } else if (name == "Underline") {
        d.font.underline = flag();
        pending.font = true;
    } else if (name == "Text") {
        if (label) label->setText(ToQString(text()));
        if (editor) {
            editor->setPlainText(ToQString(text()));
            editor->ApplyLineSpacing(d.lineSpacing);
        }
    } else if (name == "TextAlign") {
        d.textAlign = i32();
        if (label) label->setAlignment(LabelAlignment(d.textAlign));
    } else if (name == "TextColor") {
        d.textColor = colour();
        SetPaletteColour(widget, label ? QPalette::WindowText : QPalette::Text, d.textColor);
    } else if (name == "BackColor") {
        d.backColor = colour();
        d.hasBackColor = true;
        SetPaletteColour(widget, QPalette::Base, d.backColor);
    } else if (name == "Multiline") {
        if (label) label->setWordWrap(flag());
        if (editor) editor->SetMultiline(flag());
    } else if (name == "Selectable") {
        if (label) label->setTextInteractionFlags(flag() ? Qt::TextSelectableByMouse : Qt::NoTextInteraction);
    } else if (name == "Transparent") {
        // An opaque label paints the window's background behind its text.
        widget.setAutoFillBackground(!flag());
    } else if (name == "Border") {
        if (editor) editor->setFrameShape(flag() ? QFrame::StyledPanel : QFrame::NoFrame);
    } else if (name == "ScrollbarHorizontal") {
        if (editor)
            editor->setHorizontalScrollBarPolicy(flag() ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    } else if (name == "ScrollbarVertical") {
        if (editor)
            editor->setVerticalScrollBarPolicy(flag() ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    } else if (name == "UseFocusRing") {
        widget.setAttribute(Qt::WA_MacShowFocusRect, flag());
    } else if (name == "ReadOnly") {
        d.readOnly = flag();
        if (editor) editor->setReadOnly(d.readOnly);
    } else if (name == "LimitText") {
        d.limitText = std::max(0, i32());
        if (editor) EnforceLimit(*editor, d.limitText);
    } else if (name == "AcceptTabs") {
        if (editor) editor->setTabChangesFocus(!flag());
    } else if (name == "Alignment") {
        if (editor) {
            QTextOption option = editor->document()->defaultTextOption();
            option.setAlignment(EditorAlignment(i32()));
            editor->document()->setDefaultTextOption(option);
        }
    } else if (name == "HideSelection") {
        if (editor) SetHideSelection(*editor, flag());
    } else if (name == "Caption") {
        if (button) button->setText(ToQString(text()));
    } else if (name == "Default") {
        d.isDefault = flag();
        if (button) button->setDefault(d.isDefault);
    } else if (name == "Cancel") {
        d.isCancel = flag();
    }
    // Index, TabPanelIndex, AutoDeactivate, DataSource, DataField, Styled, Format, Mask,
    // AutomaticallyCheckSpelling and ButtonStyle are kept in the settings only.
}

void ApplyFont(ControlImpl& d) { d.Widget().setFont(qt::MakeFont(d.font)); }

}  // namespace

// ---------------------------------------------------------------------------------------------------------------
// Fonts
// ---------------------------------------------------------------------------------------------------------------

QFont qt::MakeFont(const FontSpec& spec) {
    QFont font = QApplication::font();
    if (spec.family != "System" && !spec.family.empty()) font.setFamilies({ToQString(spec.family)});
    font.setBold(spec.bold);
    font.setItalic(spec.italic);
    font.setUnderline(spec.underline);
    if (spec.size > 0.0F) {
        switch (spec.unit) {
            case FontUnits::Default:
                break;
            case FontUnits::Pixel:
                font.setPixelSize(std::max(1, static_cast<int>(spec.size + 0.5F)));
                break;
            case FontUnits::Point:
                font.setPointSizeF(spec.size);
                break;
            case FontUnits::Inch:
                font.setPointSizeF(spec.size * 72.0);
                break;
            case FontUnits::Millimeter:
                font.setPointSizeF(spec.size * 72.0 / 25.4);
                break;
        }
    }
    return font;
}

// ---------------------------------------------------------------------------------------------------------------
// ControlImpl
// ---------------------------------------------------------------------------------------------------------------

std::optional<PropertyType> qt::controls::CommonEntryType(std::string_view name) {
    return Find(kCommonEntries, name);
}

ControlImpl::ControlImpl(RectControl& owner, PropertyTypeOf types, std::function<QWidget*()> maker,
                         Qt::FocusPolicy withTabStop, Qt::FocusPolicy withoutTabStop)
    : self(owner),
      typeOf(types),
      make(std::move(maker)),
      focusable(withTabStop),
      unfocusable(withoutTabStop),
      anchorWatch(std::make_unique<AnchorWatch>(*this)) {}

ControlImpl::~ControlImpl() {
    if (!widget) return;
    if (auto* link = dynamic_cast<qt::ControlLink*>(widget.data())) link->owner = nullptr;
    widget->removeEventFilter(anchorWatch.get());
    // A widget in a window goes with the window; one that never joined a window goes with its control.
    if (!widget->parentWidget()) qt::DisposeWidget(widget);
}

QWidget& ControlImpl::Widget() {
    if (!made) {
        made = true;
        widget = make();
        widget->setGeometry(left, top, width, height);
    }
    if (!widget) throw NilObjectException("the control \"" + name + "\" has lost its widget with its window");
    return *widget;
}

QPoint ControlImpl::PositionInWindow() const {
    if (!widget) return {left, top};
    const Ref<Window> owner = window.lock();
    if (!owner || !owner->Impl().content || !owner->Impl().content->isAncestorOf(widget)) return {left, top};
    return widget->mapTo(owner->Impl().content.data(), QPoint(0, 0));
}

void ControlImpl::Place() {
    QWidget& own = Widget();
    QWidget* parent = nullptr;
    QPoint origin(0, 0);
    if (const Ref<Window> owner = window.lock(); owner && owner->Impl().HasWidgets()) {
        parent = &owner->Impl().Content();
        if (!initialParent.empty()) {
            const Ref<RectControl> host = owner->ControlByName(initialParent);
            if (host && host.get() != &self) {
                parent = &host->Impl().Widget();
                origin = host->Impl().PositionInWindow();
            }
        }
    }
    auto& watch = static_cast<AnchorWatch&>(*anchorWatch);
    if (parent && own.parentWidget() != parent) {
        own.setParent(parent);
        if (watch.watched) watch.watched->removeEventFilter(&watch);
        watch.watched = parent;
        parent->installEventFilter(&watch);
    }
    placed = QRect(left - origin.x(), top - origin.y(), width, height);
    parentSizeWhenPlaced = parent ? parent->size() : QSize();
    own.setGeometry(placed);
    if (parent) own.setVisible(visible);
}

void ControlImpl::Anchor(QSize parentSize) {
    if (!widget || !parentSizeWhenPlaced.isValid()) return;
    const int dw = parentSize.width() - parentSizeWhenPlaced.width();
    const int dh = parentSize.height() - parentSizeWhenPlaced.height();
    QRect rect = placed;
    if (lockRight) {
        if (lockLeft)
            rect.setWidth(std::max(0, placed.width() + dw));
        else
            rect.moveLeft(placed.left() + dw);
    }
    if (lockBottom) {
        if (lockTop)
            rect.setHeight(std::max(0, placed.height() + dh));
        else
            rect.moveTop(placed.top() + dh);
    }
    widget->setGeometry(rect);
}

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

RectControl::RectControl()
    : impl_(std::make_unique<ControlImpl>(
          *this, &qt::controls::CommonEntryType, [] { return new QWidget; }, Qt::TabFocus, Qt::NoFocus)) {}

RectControl::~RectControl() = default;

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

Ref<MouseCursor> RectControl::MouseCursor() const {
    CheckMainThread("RectControl.MouseCursor");
    return impl_->cursor;
}

void RectControl::SetMouseCursor(const Ref<platform::MouseCursor>& cursor) {
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
    const std::vector<PropertyEntry> entries = DecodePropertyList(list, impl_->typeOf);
    Pending pending;
    for (const PropertyEntry& entry : entries) {
        impl_->settings[entry.name] = entry.value;
        ApplyEntry(*impl_, entry, pending);
    }
    if (pending.font) ApplyFont(*impl_);
    if (pending.place) impl_->Place();
    if (pending.tabOrder) {
        if (const Ref<Window> owner = impl_->window.lock(); owner && owner->Impl().constructed)
            owner->Impl().UpdateTabOrder();
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
    control->Impl().handlers[number] = handler;
}

// ---------------------------------------------------------------------------------------------------------------
// Label
// ---------------------------------------------------------------------------------------------------------------

Label::Label() {
    impl_->typeOf = &LabelEntryType;
    impl_->focusable = Qt::TabFocus;
    impl_->unfocusable = Qt::NoFocus;
    impl_->make = [this] {
        auto* label = new qt::LabelWidget;
        label->owner = this;
        return static_cast<QWidget*>(label);
    };
}

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
    SetPaletteColour(impl_->Widget(), QPalette::WindowText, colour);
}

bool Label::Bold() const {
    CheckMainThread("Label.Bold");
    return impl_->font.bold;
}

void Label::SetBold(bool bold) {
    CheckMainThread("Label.Bold");
    impl_->font.bold = bold;
    ApplyFont(*impl_);
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
    ApplyFont(*impl_);
}

FontUnits Label::TextUnit() const {
    CheckMainThread("Label.TextUnit");
    return impl_->font.unit;
}

void Label::SetTextUnit(FontUnits unit) {
    CheckMainThread("Label.TextUnit");
    impl_->font.unit = unit;
    ApplyFont(*impl_);
}

// ---------------------------------------------------------------------------------------------------------------
// TextArea
// ---------------------------------------------------------------------------------------------------------------

TextArea::TextArea() {
    impl_->typeOf = &TextAreaEntryType;
    impl_->focusable = Qt::StrongFocus;
    impl_->unfocusable = Qt::ClickFocus;
    impl_->width = 100;
    impl_->height = 60;
    impl_->make = [this] {
        auto* editor = new qt::TextAreaWidget;
        editor->owner = this;
        QObject::connect(editor, &QPlainTextEdit::textChanged, editor, [editor] {
            qt::Dispatch([editor] {
                if (editor->owner) EnforceLimit(*editor, editor->owner->Impl().limitText);
            });
        });
        return static_cast<QWidget*>(editor);
    };
}

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
    SetPaletteColour(impl_->Widget(), QPalette::Base, colour);
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

FontUnits TextArea::TextUnit() const {
    CheckMainThread("TextArea.TextUnit");
    return impl_->font.unit;
}

void TextArea::SetTextUnit(FontUnits unit) {
    CheckMainThread("TextArea.TextUnit");
    impl_->font.unit = unit;
    ApplyFont(*impl_);
}

// ---------------------------------------------------------------------------------------------------------------
// PushButton
// ---------------------------------------------------------------------------------------------------------------

PushButton::PushButton() {
    impl_->typeOf = &PushButtonEntryType;
    impl_->focusable = Qt::StrongFocus;
    impl_->unfocusable = Qt::ClickFocus;
    impl_->make = [this] {
        auto* button = new qt::ButtonWidget;
        button->owner = this;
        return static_cast<QWidget*>(button);
    };
}

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

FontUnits PushButton::TextUnit() const {
    CheckMainThread("PushButton.TextUnit");
    return impl_->font.unit;
}

void PushButton::SetTextUnit(FontUnits unit) {
    CheckMainThread("PushButton.TextUnit");
    impl_->font.unit = unit;
    ApplyFont(*impl_);
}

void PushButton::Push() {
    CheckMainThread("PushButton.Push");
    RaiseEvent(event::kButtonAction, {});
}

}  // namespace platform
