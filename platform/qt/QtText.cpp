// Fonts and palette colours of widgets from the framework's settings (QtText.h).
#include "QtText.h"

#include <QApplication>
#include <QWidget>
#include <algorithm>

namespace platform {

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

void qt::SetPaletteColour(QWidget& widget, QPalette::ColorRole role, Color colour) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Active, role, ToQColor(colour));
    palette.setColor(QPalette::Inactive, role, ToQColor(colour));
    widget.setPalette(palette);
}

}  // namespace platform
