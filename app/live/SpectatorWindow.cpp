#include "app/live/SpectatorWindow.h"

#include "app/run/DisplayLayout.h"
#include "controls/DigitGeometry.h"
#include "controls/TDigit.h"
#include "platform/SystemClock.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

namespace {

constexpr TColor DigitOn = clYellow;
constexpr TColor DigitOff = 0x202020;
const QColor Text(Qt::white);
const QColor Accent(255, 224, 0);

QFont textFont(int px, bool bold) {
    // The sans-serif family the set-up installs, then whatever the system has.
    QFont font;
    font.setFamilies(
        {QStringLiteral("Liberation Sans"), QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(1, px));
    font.setBold(bold);
    return font;
}

// Draws `text` in `r`, elided to fit; returns the width it took.
int drawText(QPainter& p, const QRect& r, int px, const QString& text, Qt::Alignment align,
             const QColor& colour = Text, bool bold = true) {
    if (text.isEmpty() || r.isEmpty())
        return 0;
    const QFont font = textFont(px, bold);
    const QFontMetrics metrics(font);
    const QString shown = metrics.elidedText(text, Qt::ElideRight, r.width());
    p.setFont(font);
    p.setPen(colour);
    p.drawText(r, int(align | Qt::AlignVCenter), shown);
    return metrics.horizontalAdvance(shown);
}

} // namespace

SpectatorWindow::SpectatorWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), m_snapshot(std::make_shared<const LiveSnapshot>()),
      m_tick([] { return GetTickCount(); }) {
    setWindowTitle(tr("Zuschauer-Anzeige"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(320, 180);
    resize(960, 540);
    connect(&m_clock, &QTimer::timeout, this, &SpectatorWindow::showTime);
    connect(&m_rotate, &QTimer::timeout, this, &SpectatorWindow::rotate);
    m_rotate.start(RotationMs);
    refresh();
}

SpectatorWindow::~SpectatorWindow() = default;

void SpectatorWindow::setSnapshot(std::shared_ptr<const LiveSnapshot> snapshot) {
    if (!snapshot || snapshot == m_snapshot)
        return;
    const bool someoneNew = snapshot->current.phase != LivePhase::Idle &&
                            (m_snapshot->current.phase == LivePhase::Idle ||
                             snapshot->current.startNumber != m_snapshot->current.startNumber);
    m_snapshot = std::move(snapshot);
    if (someoneNew)
        m_rotation = 0;
    refresh();
}

void SpectatorWindow::setTickSource(std::function<uint32_t()> tickSource) {
    m_tick = tickSource ? std::move(tickSource) : [] { return GetTickCount(); };
    showTime();
}

void SpectatorWindow::showFullScreenOn(QScreen* screen) {
    if (screen) {
        if (!windowHandle())
            winId(); // the native window, to move it to the screen
        windowHandle()->setScreen(screen);
        setGeometry(screen->geometry());
    }
    showFullScreen();
}

int SpectatorWindow::digitCount() const {
    return 3 + std::clamp(m_snapshot->resolution, 0, 2);
}

void SpectatorWindow::refresh() {
    m_content = spectatorContent(*m_snapshot, m_rotation);
    if (int(m_digits.size()) != digitCount())
        relayout();
    if (m_content.phase == LivePhase::Running)
        m_clock.start(ClockMs);
    else
        m_clock.stop();
    showTime();
    update();
}

void SpectatorWindow::relayout() {
    const int count = digitCount();
    while (int(m_digits.size()) > count) {
        delete m_digits.back();
        m_digits.pop_back();
    }
    while (int(m_digits.size()) < count) {
        auto* d = new TDigit(this);
        d->setColor(clBlack);
        d->setColorOff(DigitOff);
        d->setColorOn(DigitOn);
        d->show();
        m_digits.push_back(d);
    }
    m_geometry = spectatorGeometry(size(), count, SpectatorTableRows);
    for (int i = 0; i < count; ++i) {
        const QRect r = m_geometry.digits.value(i);
        // Thick segments, as a display seen from afar needs.
        m_digits[size_t(i)]->setGeometry(r);
        m_digits[size_t(i)]->setThickness(std::max(2, r.width() / 12));
        m_digits[size_t(i)]->setSeparation(std::max(1, r.width() / 50));
    }
    update();
}

void SpectatorWindow::showTime() {
    int64_t ms = 0;
    if (m_content.phase == LivePhase::Running)
        ms = std::max<int32_t>(0, int32_t(m_tick() - m_content.startTick));
    else if (m_content.phase == LivePhase::Finished)
        ms = m_content.finalTimeMs;
    m_shownMs = ms;
    const DigitRowValues v = SplitDigitValue(ms);
    const int values[5] = {v.hundreds, v.tens, v.ones, v.tenths, v.hundredths};
    for (size_t i = 0; i < m_digits.size(); ++i) {
        TDigit* d = m_digits[i];
        // Leading zeros stay dark.
        const bool lit = i == 0 ? v.hundredsLit : i == 1 ? v.tensLit : true;
        d->setValueBinary(lit ? DigitPattern(values[i] % 10) : 0);
    }
}

void SpectatorWindow::rotate() {
    if (m_content.phase != LivePhase::Idle)
        return;
    ++m_rotation;
    refresh();
}

void SpectatorWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    const SpectatorGeometry& g = m_geometry;
    const SpectatorContent& c = m_content;
    if (c.competitor.isEmpty()) {
        drawText(p, g.competitor, g.competitorPx, tr("Niemand auf der Strecke"), Qt::AlignLeft,
                 QColor(170, 170, 170), false);
    } else {
        drawText(p, g.competitor, g.competitorPx, c.competitor, Qt::AlignLeft);
        drawText(p, g.competitorClass, g.classPx, c.competitorClass, Qt::AlignLeft, Accent, false);
    }
    if (!g.comma.isEmpty())
        p.fillRect(g.comma, QColor(255, 255, 0));
    if (!c.lastWho.isEmpty()) {
        drawText(p, g.lastTitle, g.lastTitlePx, tr("Letztes Ergebnis"), Qt::AlignLeft, QColor(170, 170, 170),
                 false);
        drawText(p, g.lastWho, g.lastWhoPx, c.lastWho, Qt::AlignLeft, Text, false);
        drawText(p, g.lastResult, g.lastResultPx, c.lastResult, Qt::AlignLeft, Accent);
    }
    drawText(p, g.tableTitle, g.tableTitlePx,
             c.tableTitle.isEmpty() ? QString() : tr("%1 – Top 10").arg(c.tableTitle), Qt::AlignLeft, Accent);
    for (qsizetype i = 0; i < c.rows.size() && i < g.rows.size(); ++i) {
        const SpectatorRow& row = c.rows[i];
        const std::array<QRect, 4> cells = spectatorRowCells(g.rows[i]);
        if (row.highlighted)
            p.fillRect(g.rows[i], QColor(60, 50, 0));
        const QColor colour = row.highlighted ? Accent : Text;
        drawText(p, cells[0], g.rowPx, row.place, Qt::AlignRight, colour);
        drawText(p, cells[1].adjusted(g.rowPx / 3, 0, 0, 0), g.rowPx, row.number, Qt::AlignRight, colour,
                 false);
        drawText(p, cells[2].adjusted(g.rowPx / 2, 0, 0, 0), g.rowPx, row.name, Qt::AlignLeft, colour, false);
        drawText(p, cells[3], g.rowPx, row.result, Qt::AlignRight, colour);
    }
}

void SpectatorWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    relayout();
}

void SpectatorWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && isFullScreen()) {
        showNormal();
        return;
    }
    if (event->key() == Qt::Key_F11) {
        isFullScreen() ? showNormal() : showFullScreen();
        return;
    }
    QWidget::keyPressEvent(event);
}

void SpectatorWindow::mouseDoubleClickEvent(QMouseEvent*) {
    isFullScreen() ? showNormal() : showFullScreen();
}
