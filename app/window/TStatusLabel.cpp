#include "app/window/TStatusLabel.h"

#include <QPainter>

TStatusLabel::TStatusLabel(QWidget* parent) : QLabel(parent) {}

int TStatusLabel::textRoom() const {
    return contentsRect().width() - 2 * margin();
}

bool TStatusLabel::Elided() const {
    return fontMetrics().horizontalAdvance(text()) > textRoom();
}

void TStatusLabel::paintEvent(QPaintEvent* event) {
    if (!Elided()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    const QRect room = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    painter.drawText(room, int(alignment()), fontMetrics().elidedText(text(), Qt::ElideRight, room.width()));
}
