#include "controls/BitBtnKind.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPainterPath>
#include <array>

namespace {

const std::array<TBitBtnKindPreset, BitBtnKindCount> Presets = {{
    {false, false, 0, ""},                                                    // bkCustom
    {true, false, 1, QT_TRANSLATE_NOOP("TBitBtnWithColor", "OK")},            // bkOK
    {false, true, 2, QT_TRANSLATE_NOOP("TBitBtnWithColor", "Abbrechen")},     // bkCancel
    {false, false, 0, QT_TRANSLATE_NOOP("TBitBtnWithColor", "&Hilfe")},       // bkHelp
    {true, false, 6, QT_TRANSLATE_NOOP("TBitBtnWithColor", "&Ja")},           // bkYes
    {false, true, 7, QT_TRANSLATE_NOOP("TBitBtnWithColor", "&Nein")},         // bkNo
    {false, false, 0, QT_TRANSLATE_NOOP("TBitBtnWithColor", "&Schließen")},   // bkClose
    {false, false, 3, QT_TRANSLATE_NOOP("TBitBtnWithColor", "Ab&bruch")},     // bkAbort
    {false, false, 4, QT_TRANSLATE_NOOP("TBitBtnWithColor", "&Wiederholen")}, // bkRetry
    {false, false, 5, QT_TRANSLATE_NOOP("TBitBtnWithColor", "&Ignorieren")},  // bkIgnore
    {false, false, 8, QT_TRANSLATE_NOOP("TBitBtnWithColor", "&Alle")},        // bkAll
}};

constexpr int Cell = 18;
// The strip's background, taken as transparent by the button (its bottom-left pixel stays free).
constexpr QRgb Background = 0x808000;
constexpr QRgb DisabledGrey = 0x808080;
constexpr QRgb DisabledWhite = 0xFFFFFF;

QPen thick(QColor c, qreal w) {
    QPen pen(c, w, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    return pen;
}

void drawCheck(QPainter& p, int dx, int dy, QColor c) {
    p.setPen(thick(c, 3));
    p.drawPolyline(QPolygon({QPoint(3 + dx, 9 + dy), QPoint(7 + dx, 13 + dy), QPoint(14 + dx, 4 + dy)}));
}

void drawCross(QPainter& p, QColor c) {
    p.setPen(thick(c, 3));
    p.drawLine(4, 4, 13, 13);
    p.drawLine(13, 4, 4, 13);
}

void drawQuestion(QPainter& p) {
    const QColor blue(0, 0, 128);
    p.setPen(thick(blue, 2));
    p.drawArc(QRect(5, 2, 8, 7), 200 * 16, -290 * 16);
    p.drawLine(9, 9, 9, 11);
    p.fillRect(QRect(8, 13, 3, 3), blue);
}

void drawNo(QPainter& p) {
    const QColor red(192, 0, 0);
    p.setPen(thick(red, 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRect(3, 3, 11, 11));
    p.drawLine(5, 12, 12, 5);
}

void drawDoor(QPainter& p) {
    p.setPen(QPen(QColor(0, 0, 0), 1));
    p.setBrush(QColor(128, 128, 128));
    p.drawRect(QRect(4, 2, 9, 13));
    // The door stands open towards the viewer.
    p.setBrush(QColor(0, 128, 128));
    p.drawPolygon(QPolygon({QPoint(4, 2), QPoint(9, 4), QPoint(9, 16), QPoint(4, 15)}));
    p.fillRect(QRect(7, 9, 1, 2), QColor(255, 255, 0));
}

void drawAbort(QPainter& p) {
    p.setPen(QPen(QColor(128, 0, 0), 1));
    p.setBrush(QColor(255, 0, 0));
    p.drawPolygon(QPolygon({QPoint(6, 2), QPoint(11, 2), QPoint(15, 6), QPoint(15, 11), QPoint(11, 15),
                            QPoint(6, 15), QPoint(2, 11), QPoint(2, 6)}));
    p.fillRect(QRect(5, 8, 8, 2), QColor(255, 255, 255));
}

void drawRetry(QPainter& p) {
    const QColor green(0, 128, 0);
    p.setPen(thick(green, 2));
    p.drawArc(QRect(3, 3, 11, 11), 60 * 16, 270 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(green);
    p.drawPolygon(QPolygon({QPoint(10, 1), QPoint(15, 4), QPoint(10, 7)}));
}

void drawIgnore(QPainter& p) {
    p.fillRect(QRect(8, 8, 2, 8), QColor(128, 0, 0));
    const QColor blue(0, 0, 255);
    p.setPen(thick(blue, 2));
    p.drawArc(QRect(2, 4, 13, 14), 20 * 16, 140 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(blue);
    p.drawPolygon(QPolygon({QPoint(12, 7), QPoint(16, 7), QPoint(14, 11)}));
}

// One glyph image in the left cell of `strip`.
void drawGlyph(QImage& strip, TBitBtnWithColorKind kind) {
    QPainter p(&strip);
    p.setRenderHint(QPainter::Antialiasing, false);
    switch (kind) {
    case TBitBtnWithColorKind::bkOK:
    case TBitBtnWithColorKind::bkYes:
        drawCheck(p, 0, 0, QColor(0, 128, 0));
        break;
    case TBitBtnWithColorKind::bkCancel:
        drawCross(p, QColor(192, 0, 0));
        break;
    case TBitBtnWithColorKind::bkHelp:
        drawQuestion(p);
        break;
    case TBitBtnWithColorKind::bkNo:
        drawNo(p);
        break;
    case TBitBtnWithColorKind::bkClose:
        drawDoor(p);
        break;
    case TBitBtnWithColorKind::bkAbort:
        drawAbort(p);
        break;
    case TBitBtnWithColorKind::bkRetry:
        drawRetry(p);
        break;
    case TBitBtnWithColorKind::bkIgnore:
        drawIgnore(p);
        break;
    case TBitBtnWithColorKind::bkAll:
        drawCheck(p, -1, -1, QColor(0, 128, 0));
        drawCheck(p, 1, 3, QColor(0, 128, 0));
        break;
    case TBitBtnWithColorKind::bkCustom:
        break;
    }
}

// The right cell: the left image's shape in grey over a white copy one pixel down and right.
void drawDisabledCell(QImage& strip) {
    const int h = strip.height();
    auto inShape = [&](int x, int y) { return (strip.pixel(x, y) & 0xFFFFFF) != Background; };
    for (int y = 0; y + 1 < h; ++y)
        for (int x = 0; x + 1 < Cell; ++x)
            if (inShape(x, y))
                strip.setPixel(Cell + x + 1, y + 1, DisabledWhite);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < Cell; ++x)
            if (inShape(x, y))
                strip.setPixel(Cell + x, y, DisabledGrey);
}

QImage makeStrip(TBitBtnWithColorKind kind) {
    QImage strip(2 * Cell, kind == TBitBtnWithColorKind::bkAll ? Cell + 1 : Cell, QImage::Format_RGB32);
    strip.fill(Background);
    drawGlyph(strip, kind);
    // The corner pixel names the transparent colour; no drawing may claim it.
    strip.setPixel(0, strip.height() - 1, Background);
    drawDisabledCell(strip);
    return strip;
}

} // namespace

const TBitBtnKindPreset& KindPreset(TBitBtnWithColorKind kind) {
    return Presets[size_t(kind)];
}

const QImage& KindGlyph(TBitBtnWithColorKind kind) {
    static std::array<QImage, BitBtnKindCount> strips;
    QImage& strip = strips[size_t(kind)];
    if (strip.isNull() && kind != TBitBtnWithColorKind::bkCustom)
        strip = makeStrip(kind);
    return strip;
}
