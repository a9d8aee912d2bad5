#include "app/window/TLogo.h"

#include "core/Colors.h"

#include <QFontMetrics>
#include <QPainter>

namespace {
constexpr int ShadowOffset = 2;
}

QList<LogoPiece> LogoPieces(const QString& text, const QFont& font, int shadow) {
    const QFontMetrics metrics(font);
    const qsizetype half = (text.size() + 1) / 2;
    const QString halves[2] = {text.left(half), text.mid(half)};
    const QColor colors[2] = {ColorToQColor(clRed), ColorToQColor(clGreen)};
    QList<LogoPiece> pieces;
    QPoint baseline(0, metrics.ascent());
    for (int i = 0; i < 2; ++i) {
        if (halves[i].isEmpty())
            continue;
        pieces.append({baseline + QPoint(shadow, shadow), halves[i], ColorToQColor(clBlack)});
        pieces.append({baseline, halves[i], colors[i]});
        baseline.rx() += metrics.horizontalAdvance(halves[i]);
    }
    return pieces;
}

TLogo::TLogo(const QString& text, QWidget* parent) : QWidget(parent), m_text(text) {
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(27);
    f.setBold(true);
    setFont(f);
    setAttribute(Qt::WA_TranslucentBackground);
    resize(sizeHint());
}

QSize TLogo::sizeHint() const {
    const QFontMetrics metrics(font());
    return QSize(metrics.horizontalAdvance(m_text) + ShadowOffset, metrics.height() + ShadowOffset);
}

void TLogo::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(font());
    for (const LogoPiece& piece : LogoPieces(m_text, font(), ShadowOffset)) {
        painter.setPen(piece.Color);
        painter.drawText(piece.Baseline, piece.Text);
    }
}
