#include "grids/QPainterGridCanvas.h"

#include <QPainter>
#include <QPen>

QPainterGridCanvas::QPainterGridCanvas(QPainter& painter, const QRegion& clip)
    : m_painter(painter), m_clip(clip), m_painterClips(painter.hasClipping()) {}

namespace {
// The same font: the same object shared (what a grid hands over for every cell), or equal.
bool SameFont(const QFont& a, const QFont& b) {
    return a.isCopyOf(b) || a == b;
}
} // namespace

const QFontMetrics& QPainterGridCanvas::metrics() const {
    if (!m_metrics || !SameFont(m_metricsFont, Font())) {
        m_metricsFont = Font();
        m_metrics.emplace(m_metricsFont);
    }
    return *m_metrics;
}

int QPainterGridCanvas::TextWidth(const QString& text) const {
    return metrics().horizontalAdvance(text);
}

int QPainterGridCanvas::TextHeight() const {
    return metrics().height();
}

void QPainterGridCanvas::applyTextState() {
    const QColor pen = ColorToQColor(FontColor());
    if (!m_textStateSet || !SameFont(m_painterFont, Font())) {
        m_painterFont = Font();
        m_painter.setFont(m_painterFont);
    }
    if (!m_textStateSet || m_painterPen != pen) {
        m_painterPen = pen;
        m_painter.setPen(pen);
    }
    m_textStateSet = true;
}

void QPainterGridCanvas::FillRect(const QRect& r) {
    if (r.isEmpty())
        return;
    m_painter.fillRect(r, ColorToQColor(BrushColor()));
}

void QPainterGridCanvas::TextRect(const QRect& clip, int x, int y, const QString& text) {
    if (clip.isEmpty())
        return;
    if (m_painterClips) {
        m_painter.save();
        m_painter.setClipRect(clip, Qt::IntersectClip);
        m_painter.setFont(Font());
        m_painter.setPen(ColorToQColor(FontColor()));
        m_painter.drawText(QPoint(x, y + metrics().ascent()), text);
        m_painter.restore();
        return;
    }
    applyTextState();
    m_painter.setClipRect(clip, Qt::ReplaceClip);
    m_painter.drawText(QPoint(x, y + metrics().ascent()), text);
    m_painter.setClipping(false);
}

void QPainterGridCanvas::PolySegments(std::span<const QLine> segments, int width, TColor color) {
    if (width <= 0)
        return;
    // Lines are filled rectangles so that their pixels match the geometry exactly at any width.
    const QColor c = ColorToQColor(color);
    const int before = width / 2;
    for (const QLine& s : segments) {
        if (s.x1() == s.x2()) {
            const int top = std::min(s.y1(), s.y2());
            const int bottom = std::max(s.y1(), s.y2());
            m_painter.fillRect(QRect(s.x1() - before, top, width, bottom - top), c);
        } else {
            const int left = std::min(s.x1(), s.x2());
            const int right = std::max(s.x1(), s.x2());
            m_painter.fillRect(QRect(left, s.y1() - before, right - left, width), c);
        }
    }
}

void QPainterGridCanvas::DrawRaisedInnerEdge(const QRect& r, TEdgeSides sides) {
    if (r.isEmpty())
        return;
    const QColor light = ColorToQColor(clBtnHighlight);
    const QColor dark = ColorToQColor(clBtnShadow);
    const int l = r.left(), t = r.top(), w = r.width(), h = r.height();
    if (sides.testFlag(TEdgeSide::Left))
        m_painter.fillRect(QRect(l, t, 1, h), light);
    if (sides.testFlag(TEdgeSide::Top))
        m_painter.fillRect(QRect(l, t, w, 1), light);
    if (sides.testFlag(TEdgeSide::Right))
        m_painter.fillRect(QRect(l + w - 1, t, 1, h), dark);
    if (sides.testFlag(TEdgeSide::Bottom))
        m_painter.fillRect(QRect(l, t + h - 1, w, 1), dark);
}

void QPainterGridCanvas::DrawFocusRect(const QRect& r) {
    if (r.isEmpty())
        return;
    m_painter.save();
    QPen pen(ColorToQColor(clWindowText), 1, Qt::DotLine);
    m_painter.setPen(pen);
    m_painter.setBrush(Qt::NoBrush);
    m_painter.drawRect(r.adjusted(0, 0, -1, -1));
    m_painter.restore();
}

void QPainterGridCanvas::DrawFeedbackLine(QPoint a, QPoint b, int width) {
    m_painter.save();
    QPen pen(ColorToQColor(clWindowText), width, Qt::DotLine, Qt::FlatCap);
    m_painter.setPen(pen);
    m_painter.drawLine(a, b);
    m_painter.restore();
}

bool QPainterGridCanvas::RectVisible(const QRect& r) const {
    return m_clip.intersects(r);
}

void QPainterGridCanvas::DrawImage(const QRect& dest, const QImage& image, const QRect& source) {
    if (dest.isEmpty() || source.isEmpty())
        return;
    m_painter.drawImage(dest, image, source);
}
