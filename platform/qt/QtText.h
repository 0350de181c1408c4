// Conversions between the framework's values and Qt's: UTF-8 strings, colours, fonts (QtText.cpp).
#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QString>
#include <string>
#include <string_view>

class QWidget;

#include "platform/Controls.h"
#include "platform/Text.h"

namespace platform::qt {

inline QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string ToStdString(const QString& text) { return text.toUtf8().toStdString(); }

// The framework's alpha counts transparency (0 opaque), Qt's counts opacity.
inline QColor ToQColor(Color colour) {
    return QColor(colour.red, colour.green, colour.blue, 255 - colour.alpha);
}

// What a control's font settings describe: the family ("System" is the platform's default UI font), the
// style flags and a size in a unit (size 0 or the default unit: the default size).
struct FontSpec {
    std::string family = "System";
    bool bold = false;
    bool italic = false;
    bool underline = false;
    float size = 0.0F;
    FontUnits unit = FontUnits::Default;
};

QFont MakeFont(const FontSpec& spec);

// Sets the colour of `role` in the widget's palette, for the active and the inactive window alike.
void SetPaletteColour(QWidget& widget, QPalette::ColorRole role, Color colour);

}  // namespace platform::qt
