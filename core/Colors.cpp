#include "Colors.h"

#include <QGuiApplication>
#include <QPalette>

QColor ColorToQColor(TColor c) {
    if (!IsSystemColor(c))
        return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
    const QPalette pal = QGuiApplication::palette();
    // The Win32 system colour indexes, each given the palette role that plays its part here.
    switch (c & 0xFF) {
    case 0x01: // desktop background
    case 0x0C: // application work space
    case 0x10: // button shadow
        return pal.color(QPalette::Dark);
    case 0x02: // active caption
    case 0x0D: // highlight
        return pal.color(QPalette::Active, QPalette::Highlight);
    case 0x03: // inactive caption
        return pal.color(QPalette::Inactive, QPalette::Highlight);
    case 0x04: // menu
    case 0x0A: // active border
    case 0x0B: // inactive border
        return pal.color(QPalette::Window);
    case 0x05: // window
        return pal.color(QPalette::Base);
    case 0x06: // window frame
        return pal.color(QPalette::Shadow);
    case 0x07: // menu text
        return pal.color(QPalette::WindowText);
    case 0x08: // window text
        return pal.color(QPalette::Text);
    case 0x09: // caption text
    case 0x0E: // highlight text
        return pal.color(QPalette::Active, QPalette::HighlightedText);
    case 0x11: // grey text
        return pal.color(QPalette::Disabled, QPalette::Text);
    case 0x12: // button text
        return pal.color(QPalette::ButtonText);
    case 0x13: // inactive caption text
        return pal.color(QPalette::Inactive, QPalette::HighlightedText);
    case 0x14: // button highlight
        return pal.color(QPalette::Light);
    case 0x15: // dark shadow of a 3-D edge
        return pal.color(QPalette::Shadow);
    case 0x16: // light inner line of a 3-D edge
        return pal.color(QPalette::Midlight);
    case 0x00: // scroll bar
    case 0x0F: // button face
    default:
        return pal.color(QPalette::Button);
    }
}
