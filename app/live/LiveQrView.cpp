#include "app/live/LiveQrView.h"

#include <QPainter>

QrPlacement placeQrCode(const QRect& area, int modules) {
    QrPlacement p;
    if (modules <= 0)
        return p;
    const int side = std::min(area.width(), area.height());
    p.modulePx = side / (modules + 8);
    const int codeSide = p.modulePx * modules;
    p.code = QRect(area.left() + (area.width() - codeSide) / 2, area.top() + (area.height() - codeSide) / 2,
                   codeSide, codeSide);
    return p;
}

LiveQrView::LiveQrView(QWidget* parent) : QWidget(parent) {
    setMinimumSize(MinimumSide, MinimumSide);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void LiveQrView::setText(const QByteArray& text) {
    if (text == m_text)
        return;
    m_text = text;
    m_code = makeLiveQrCode(text);
    update();
}

void LiveQrView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    if (!m_code)
        return;
    const QrPlacement place = placeQrCode(rect(), m_code->size);
    if (place.modulePx <= 0)
        return;
    const int quiet = 4 * place.modulePx;
    p.fillRect(place.code.adjusted(-quiet, -quiet, quiet, quiet), Qt::white);
    for (int y = 0; y < m_code->size; ++y)
        for (int x = 0; x < m_code->size; ++x)
            if (m_code->dark(x, y))
                p.fillRect(place.code.left() + x * place.modulePx, place.code.top() + y * place.modulePx,
                           place.modulePx, place.modulePx, Qt::black);
}
