#include "controls/TDigit.h"

#include "controls/DigitGeometry.h"

#include <QPaintEvent>
#include <QPainter>

TDigit::TDigit(QWidget* parent) : QWidget(parent) {
    // Every pixel is painted, so Qt need not clear the background first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    resize(InitialWidth, InitialHeight);
}

void TDigit::setValue(int v) {
    // Compared with the stored Value, not with the drawn pattern: a pattern set directly
    // survives setting the same Value again.
    if (v == m_value)
        return;
    if (v >= 0 && v <= 9) {
        m_value = v;
    } else {
        m_value = 0;
        if (OnOverflow)
            OnOverflow(this);
    }
    m_valueBinary = DigitPattern(m_value);
    repaintNow();
}

void TDigit::setValueBinary(uint8_t pattern) {
    if (pattern == m_valueBinary)
        return;
    m_valueBinary = pattern;
    repaintNow();
}

void TDigit::setColorOn(TColor c) {
    if (c == m_colorOn)
        return;
    m_colorOn = c;
    repaintNow();
}

void TDigit::setColorOff(TColor c) {
    if (c == m_colorOff)
        return;
    m_colorOff = c;
    repaintNow();
}

void TDigit::setColor(TColor c) {
    if (c == m_color)
        return;
    m_color = c;
    repaintNow();
}

void TDigit::setThickness(int t) {
    if (t > width() / 2 || t > height() / 2)
        return;
    m_thickness = t;
    update();
}

void TDigit::setSeparation(int s) {
    m_separation = s;
    update();
}

void TDigit::setBorderStyle(TBorderStyle style) {
    if (style == m_borderStyle)
        return;
    m_borderStyle = style;
    repaintNow();
}

void TDigit::repaintNow() {
    // The run clock changes digits every 10 ms; drawing synchronously keeps the display current
    // even while the event loop is busy. A hidden control has nothing to draw.
    if (isVisible())
        repaint();
}

const QImage& TDigit::Face(uint8_t pattern, qreal dpr) {
    const QColor background = ColorToQColor(m_color);
    const QColor on = ColorToQColor(m_colorOn);
    const QColor off = ColorToQColor(m_colorOff);
    // Resolved colours: a system colour follows the palette.
    const FaceLook look{on.rgba(), off.rgba(), background.rgba(), m_thickness, m_separation, size(), dpr};
    if (!(look == m_faceLook)) {
        m_faceLook = look;
        m_faces.fill(QImage());
    }
    QImage& face = m_faces[pattern];
    if (!face.isNull())
        return face;

    face = QImage((QSizeF(size()) * dpr).toSize(), QImage::Format_ARGB32_Premultiplied);
    face.setDevicePixelRatio(dpr);
    QPainter painter(&face);
    painter.fillRect(rect(), background);
    // A one-pixel outline in the background colour keeps neighbouring segments apart.
    painter.setPen(QPen(background, 1));
    const DigitGeometry geometry = ComputeDigitGeometry(width(), height(), m_thickness, m_separation);
    for (const DigitPolygon& segment : geometry.segments) {
        painter.setBrush(IsSegmentLit(pattern, segment.bit) ? on : off);
        painter.drawPolygon(segment.corners.data(), segment.count);
    }
    return face;
}

void TDigit::paintEvent(QPaintEvent* event) {
    const qreal dpr = devicePixelRatioF();
    const QImage& face = Face(m_valueBinary, dpr);
    QPainter painter(this);
    const QRect r = event->rect();
    painter.drawImage(QRectF(r), face, QRectF(QPointF(r.topLeft()) * dpr, QSizeF(r.size()) * dpr));
}
