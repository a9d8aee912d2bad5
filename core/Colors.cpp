#include "Colors.h"

#include <QGuiApplication>
#include <QPalette>

QColor ColorToQColor(TColor c) {
    if (!IsSystemColor(c))
        return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
    const QPalette pal = QGuiApplication::palette();
    switch (c & 0xFF) {
    case 0x05: // window
        return pal.color(QPalette::Base);
    case 0x06: // window frame
        return pal.color(QPalette::Shadow);
    case 0x08: // window text
        return pal.color(QPalette::Text);
    case 0x0D: // highlight
        return pal.color(QPalette::Highlight);
    case 0x0E: // highlight text
        return pal.color(QPalette::HighlightedText);
    case 0x10: // button shadow
        return pal.color(QPalette::Dark);
    case 0x12: // button text
        return pal.color(QPalette::ButtonText);
    case 0x14: // button highlight
        return pal.color(QPalette::Light);
    case 0x15: // dark shadow of a 3-D edge
        return pal.color(QPalette::Shadow);
    case 0x16: // light inner line of a 3-D edge
        return pal.color(QPalette::Midlight);
    case 0x0F: // button face
    default:
        return pal.color(QPalette::Button);
    }
}
