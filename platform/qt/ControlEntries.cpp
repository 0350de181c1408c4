// The controls' list entries: each class takes the common entries, the font entries but for the progress
// wheel, and its own.
#include "ControlEntries.h"

#include <QLabel>
#include <QPushButton>
#include <QTextDocument>
#include <QTextOption>

#include "ControlImpl.h"
#include "ControlWidgets.h"
#include "QtText.h"

namespace platform::qt {

namespace {

using Entry = ListEntry<ControlImpl>;

constexpr auto I = PropertyType::Int32;
constexpr auto B = PropertyType::Boolean;
constexpr auto C = PropertyType::Color;
constexpr auto S = PropertyType::String;

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

QLabel& LabelOf(ControlImpl& d) { return d.WidgetAs<QLabel>(); }
TextAreaWidget& EditorOf(ControlImpl& d) { return d.WidgetAs<TextAreaWidget>(); }

constexpr Entry kCommon[] = {
    {"Name", S,
     [](ControlImpl& d, const PropertyValue& v) -> unsigned {
         if (d.name.empty()) d.name = String(v);
         return 0;
     }},
    {"Index", I},
    {"Left", I, &Store<&ControlImpl::left, kPlaceControl>},
    {"Top", I, &Store<&ControlImpl::top, kPlaceControl>},
    {"Width", I, &StoreAtLeastZero<&ControlImpl::width, kPlaceControl>},
    {"Height", I, &StoreAtLeastZero<&ControlImpl::height, kPlaceControl>},
    {"LockLeft", B, &Store<&ControlImpl::lockLeft, kPlaceControl>},
    {"LockTop", B, &Store<&ControlImpl::lockTop, kPlaceControl>},
    {"LockRight", B, &Store<&ControlImpl::lockRight, kPlaceControl>},
    {"LockBottom", B, &Store<&ControlImpl::lockBottom, kPlaceControl>},
    {"TabPanelIndex", I},
    {"TabIndex", I, &Store<&ControlImpl::tabIndex, kUpdateTabOrder>},
    {"TabStop", B,
     [](ControlImpl& d, const PropertyValue& v) -> unsigned {
         d.Widget().setFocusPolicy(Flag(v) ? d.traits.focusable : d.traits.unfocusable);
         return kUpdateTabOrder;
     }},
    {"Visible", B,
     [](ControlImpl& d, const PropertyValue& v) -> unsigned {
         d.self.SetVisible(Flag(v));
         return 0;
     }},
    {"Enabled", B,
     [](ControlImpl& d, const PropertyValue& v) -> unsigned {
         d.Widget().setEnabled(Flag(v));
         return 0;
     }},
    {"HelpTag", S,
     [](ControlImpl& d, const PropertyValue& v) -> unsigned {
         d.Widget().setToolTip(ToQString(String(v)));
         return 0;
     }},
    {"AutoDeactivate", B},
    {"InitialParent", S, &Store<&ControlImpl::initialParent, kPlaceControl>},
};

constexpr Entry kFont[] = {
    {"TextFont", S,
     [](ControlImpl& d, const PropertyValue& v) -> unsigned {
         d.font.family = String(v);
         return kApplyFont;
     }},
    {"Bold", B,
     [](ControlImpl& d, const PropertyValue& v) -> unsigned {
         d.font.bold = Flag(v);
         return kApplyFont;
     }},
    {"Italic", B,
     [](ControlImpl& d, const PropertyValue& v) -> unsigned {
         d.font.italic = Flag(v);
         return kApplyFont;
     }},
    {"Underline", B,
     [](ControlImpl& d, const PropertyValue& v) -> unsigned {
         d.font.underline = Flag(v);
         return kApplyFont;
     }},
};

constexpr Entry kLabel[] = {
    {"Text", S,
     [](ControlImpl& d, const PropertyValue& v) -> unsigned {
         LabelOf(d).setText(ToQString(String(v)));
         return 0;
     }},
    {"TextAlign", I,
     [](ControlImpl& d, const PropertyValue& v) -> unsigned {
         d.textAlign = Int(v);
         LabelOf(d).setAlignment(LabelAlignment(d.textAlign));
         return 0;
     }},
    {"TextColor", C,
     [](ControlImpl& d, const PropertyValue& v) -> unsigned {
         d.textColor = Colour(v);
         SetPaletteColour(d.Widget(), QPalette::WindowText, d.textColor);
         return 0;
     }},
    {"Multiline", B,
     [](ControlImpl& d, const PropertyValue& v) -> unsigned {
         LabelOf(d).setWordWrap(Flag(v));
         return 0;
     }},
    {"Selectable", B,
     [](ControlImpl& d, const PropertyValue& v) -> unsigned {
         LabelOf(d).setTextInteractionFlags(Flag(v) ? Qt::TextSelectableByMouse : Qt::NoTextInteraction);
         return 0;
     }},
    // An opaque label paints the window's background behind its text.
    {"Transparent", B,
     [](ControlImpl& d, const PropertyValue& v) -> unsigned {
         d.Widget().setAutoFillBackground(!Flag(v));
         return 0;
     }},
    {"DataSource", S},
    {"DataField", S},
};

constexpr Entry kTextArea[] = {
    {"Border", B,
     [](ControlImpl& d, const PropertyValue& v) -> unsigned {
         EditorOf(d).setFrameShape(Flag(v) ? QFrame::StyledPanel : QFrame::NoFrame);
         return 0;
     }},
    {"Multiline", B,
     [](ControlImpl& d, const PropertyValue& v) -> unsigned {
         EditorOf(d).SetMultiline(Flag(v));
         return 0;
     }},
    {"ScrollbarHorizontal", B,
     [](ControlImpl& d, const PropertyValue& v) -> unsigned {
         EditorOf(d).setHorizontalScrollBarPolicy(Flag(v) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
         return 0;
     }},
    {"ScrollbarVertical", B,
     [](ControlImpl& d, const PropertyValue& v) -> unsigned {
         EditorOf(d).setVerticalScrollBarPolicy(Flag(v) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
         return 0;
     }},
    {"Styled", B},
    {"UseFocusRing", B,
     [](ControlImpl& d, const PropertyValue& v) -> unsigned {
         d.Widget().setAttribute(Qt::WA_MacShowFocusRect, Flag(v));
         return 0;
     }},
    {"TextColor", C,
     [](ControlImpl& d, const PropertyValue& v) -> unsigned {
         d.textColor = Colour(v);
         SetPaletteColour(d.Widget(), QPalette::Text, d.textColor);
         return 0;
     }},
    {"BackColor", C,
     [](ControlImpl& d, const PropertyValue& v) -> unsigned {
         d.backColor = Colour(v);
         d.hasBackColor = true;
         SetPaletteColour(d.Widget(), QPalette::Base, d.backColor);
         return 0;
     }},
    {"Format", S},
    {"HideSelection", B,
     [](ControlImpl& d, const PropertyValue& v) -> unsigned {
         SetHideSelection(EditorOf(d), Flag(v));
         return 0;
     }},
    {"Text", S,
     [](ControlImpl& d, const PropertyValue& v) -> unsigned {
         EditorOf(d).setPlainText(ToQString(String(v)));
         EditorOf(d).ApplyLineSpacing(d.lineSpacing);
         return 0;
     }},
    {"Mask", S},
    {"ReadOnly", B,
     [](ControlImpl& d, const PropertyValue& v) -> unsigned {
         d.readOnly = Flag(v);
         EditorOf(d).setReadOnly(d.readOnly);
         return 0;
     }},
    {"LimitText", I,
     [](ControlImpl& d, const PropertyValue& v) -> unsigned {
         d.limitText = std::max(0, Int(v));
         EditorOf(d).EnforceLimit(d.limitText);
         return 0;
     }},
    {"AcceptTabs", B,
     [](ControlImpl& d, const PropertyValue& v) -> unsigned {
         EditorOf(d).setTabChangesFocus(!Flag(v));
         return 0;
     }},
    {"Alignment", I,
     [](ControlImpl& d, const PropertyValue& v) -> unsigned {
         QTextDocument& document = *EditorOf(d).document();
         QTextOption option = document.defaultTextOption();
         option.setAlignment(EditorAlignment(Int(v)));
         document.setDefaultTextOption(option);
         return 0;
     }},
    {"AutomaticallyCheckSpelling", B},
    {"DataSource", S},
    {"DataField", S},
};

constexpr Entry kPushButton[] = {
    {"ButtonStyle", I},
    {"Cancel", B, &Store<&ControlImpl::isCancel>},
    {"Default", B,
     [](ControlImpl& d, const PropertyValue& v) -> unsigned {
         d.isDefault = Flag(v);
         d.WidgetAs<QPushButton>().setDefault(d.isDefault);
         return 0;
     }},
    {"Caption", S,
     [](ControlImpl& d, const PropertyValue& v) -> unsigned {
         d.WidgetAs<QPushButton>().setText(ToQString(String(v)));
         return 0;
     }},
};

}  // namespace

const EntryTable<ControlImpl>& CommonControlEntries() {
    static const EntryTable<ControlImpl> table{kCommon};
    return table;
}

const EntryTable<ControlImpl>& LabelEntries() {
    static const EntryTable<ControlImpl> table{kCommon, kFont, kLabel};
    return table;
}

const EntryTable<ControlImpl>& TextAreaEntries() {
    static const EntryTable<ControlImpl> table{kCommon, kFont, kTextArea};
    return table;
}

const EntryTable<ControlImpl>& PushButtonEntries() {
    static const EntryTable<ControlImpl> table{kCommon, kFont, kPushButton};
    return table;
}

}  // namespace platform::qt
