#include "controls/TBitBtnWithColor.h"

#include <QApplication>
#include <QPainter>

namespace {

constexpr TColor DisabledTextShine = clWhite;
constexpr TColor DisabledText = clGray;

void drawOutline(QPainter& p, const QRect& r, const QColor& c) {
    p.fillRect(QRect(r.left(), r.top(), r.width(), 1), c);
    p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), c);
    p.fillRect(QRect(r.left(), r.top(), 1, r.height()), c);
    p.fillRect(QRect(r.right(), r.top(), 1, r.height()), c);
}

// One ring of a 3-D edge; the bottom-right colour owns the two far corners.
void drawEdgeRing(QPainter& p, const QRect& r, const QColor& topLeft, const QColor& bottomRight) {
    p.fillRect(QRect(r.left(), r.top(), r.width(), 1), topLeft);
    p.fillRect(QRect(r.left(), r.top(), 1, r.height()), topLeft);
    p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), bottomRight);
    p.fillRect(QRect(r.right(), r.top(), 1, r.height()), bottomRight);
}

// A dotted rectangle that inverts every other pixel, so it shows on any face colour.
void drawFocusRect(QPainter& p, const QRect& r) {
    if (r.width() <= 0 || r.height() <= 0)
        return;
    p.save();
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    p.setPen(QPen(Qt::white, 1));
    auto dot = [&](int x, int y) {
        if ((x + y) % 2 == 0)
            p.drawPoint(x, y);
    };
    for (int x = r.left(); x <= r.right(); ++x) {
        dot(x, r.top());
        if (r.bottom() != r.top())
            dot(x, r.bottom());
    }
    for (int y = r.top() + 1; y < r.bottom(); ++y) {
        dot(r.left(), y);
        if (r.right() != r.left())
            dot(r.right(), y);
    }
    p.restore();
}

} // namespace

bool TBitBtnWithColor::markedFocused() const {
    if (hasFocus())
        return true;
    // A default button stands in for the focused control unless another button holds the focus.
    if (!m_default)
        return false;
    const QWidget* focused = QApplication::focusWidget();
    return !(focused && focused != this && focused->window() == window() &&
             qobject_cast<const QAbstractButton*>(focused));
}

void TBitBtnWithColor::paintEvent(QPaintEvent*) {
    QPainter p(this);
    drawFace(p, isDown(), markedFocused());
}

void TBitBtnWithColor::drawFace(QPainter& p, bool pressed, bool focused) {
    const QRect client = rect();
    const QColor face = ColorToQColor(m_color);
    QRect r = client;
    if (focused) {
        drawOutline(p, r, ColorToQColor(clWindowFrame));
        r.adjust(1, 1, -1, -1);
    }
    if (pressed) {
        drawOutline(p, r, ColorToQColor(clBtnShadow));
        p.fillRect(r.adjusted(1, 1, -1, -1), face);
    } else {
        drawEdgeRing(p, r, ColorToQColor(cl3DLight), ColorToQColor(cl3DDkShadow));
        drawEdgeRing(p, r.adjusted(1, 1, -1, -1), ColorToQColor(clBtnHighlight), ColorToQColor(clBtnShadow));
        p.fillRect(r.adjusted(2, 2, -2, -2), face);
    }

    const TButtonFaceRects rects = CalcButtonFace(client, pressed, focused);
    p.setFont(font());
    const QString caption = text();
    const QSize captionSize =
        caption.isEmpty() ? QSize(0, 0) : p.fontMetrics().size(Qt::TextShowMnemonic, caption);
    const TButtonPlacement place =
        CalcButtonLayout(rects.Content, m_glyph.GlyphSize(), captionSize, m_layout, m_margin, m_spacing);

    const TButtonState state = !isEnabled() ? TButtonState::bsDisabled
                               : pressed    ? TButtonState::bsDown
                                            : TButtonState::bsUp;
    const QImage& image =
        m_glyph.Image(state, {face, ColorToQColor(clBtnHighlight), ColorToQColor(clBtnShadow)});
    if (!image.isNull())
        p.drawImage(place.GlyphPos, image);
    if (!caption.isEmpty())
        drawCaption(p, place.TextBounds);

    if (focused)
        drawFocusRect(p, rects.FocusRect);
}

void TBitBtnWithColor::drawCaption(QPainter& p, const QRect& bounds) {
    const QString caption = text();
    if (isEnabled()) {
        p.setPen(ColorToQColor(m_fontColor));
        p.drawText(bounds, Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic, caption);
        return;
    }
    // Disabled: engraved, a white copy one pixel down and right under the grey text.
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextShowMnemonic;
    p.setPen(ColorToQColor(DisabledTextShine));
    p.drawText(bounds.translated(1, 1), flags, caption);
    p.setPen(ColorToQColor(DisabledText));
    p.drawText(bounds, flags, caption);
}
