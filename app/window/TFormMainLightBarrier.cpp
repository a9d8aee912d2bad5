#include "app/window/TFormMain.h"

#include "app/window/ShellLayout.h"
#include "app/window/TLogo.h"
#include "app/window/TStatusLabel.h"

#include "core/Exception.h"
#include "platform/SystemClock.h"
#include "serial/SerialPortNames.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QTimer>

namespace {

// The smallest text the barrier's status shrinks to before it is cut short.
constexpr int MinBarrierStatusPixelSize = 10;

} // namespace

void TFormMain::buildLightBarrier() {
    ComPort = new TComPort(this);
    ComPort->setName(QStringLiteral("ComPort"));
    ComPort->setPort(0);
    ComPort->setDataBits(5);
    ComPort->setEvents({TEvent::evDSR});
    ComPort->setWriteBufSize(64);
    ComPort->setReadBufSize(64);
    ComPort->OnDSR = [this](QObject* Sender, uint32_t ModemStatus, uint32_t Tick) {
        ComPortDSR(Sender, ModemStatus, Tick);
    };
    ComPort->OnWatchEnd = [this](QObject* Sender, const TWatchEnd& End) { ComPortWatchEnd(Sender, End); };

    LabBarrier = new TStatusLabel(TopBar);
    LabBarrier->setObjectName(QStringLiteral("LabBarrier"));
    LabBarrier->setAutoFillBackground(true);
    LabBarrier->setAlignment(Qt::AlignCenter);
    LabBarrier->setMargin(2);
    TimerReconnect = new QTimer(this);
    TimerReconnect->setInterval(int(BarrierLink::RetryIntervalMs));
    connect(TimerReconnect, &QTimer::timeout, this, [this] { ReconnectTimer(TimerReconnect); });
}

void TFormMain::layoutBarrierStatus() {
    if (!LabBarrier)
        return;
    const QString text = m_link.Text();
    const int margins = 2 * LabBarrier->margin() + 2 * LabBarrier->frameWidth();
    // The bar's font first (the logo gives way before anything else); a smaller one only where even
    // the logo's room is too narrow for the whole text, so the time of a loss stays readable.
    QFont font = TopBar->font();
    ShellLayout::BarrierStatusPlace place;
    for (int px = font.pixelSize();; --px) {
        font.setPixelSize(px);
        place = ShellLayout::PlaceBarrierStatus(
            TopBar->width(), QFontMetrics(font).horizontalAdvance(text) + margins, Logo ? Logo->width() : 0);
        if (!place.elided || px <= MinBarrierStatusPixelSize)
            break;
    }
    LabBarrier->setFont(font);
    LabBarrier->setGeometry(place.rect);
    if (Logo)
        Logo->setVisible(place.logoShown);
    // Cut short on screen where the window is narrow; the tooltip always has the whole status.
    LabBarrier->setText(text);
    LabBarrier->setToolTip(text + u'\n' + m_link.ToolTip());
}

void TFormMain::showBarrierStatus() {
    QPalette pal = LabBarrier->palette();
    pal.setColor(QPalette::Window, ColorToQColor(m_link.Color()));
    pal.setColor(QPalette::WindowText, ColorToQColor(m_link.TextColor()));
    LabBarrier->setPalette(pal);
    layoutBarrierStatus();
    soundAlarmOnLoss();
    if (m_link.Retrying() && !TimerReconnect->isActive())
        TimerReconnect->start();
    else if (!m_link.Retrying())
        TimerReconnect->stop();
}

bool TFormMain::tryOpenPort() {
    try {
        ComPort->Open();
        m_link.Opened();
        showBarrierStatus();
        return true;
    } catch (const Exception&) {
        m_link.OpenFailed(ComPort->LastError(), GetTickCount());
        showBarrierStatus();
        throw;
    }
}

void TFormMain::choosePort() {
    if (ComPort->Port() == 0) {
        m_link.PortChosen(QString(), QString());
    } else {
        const QString name = ComPort->DeviceName();
        m_link.PortChosen(name, QString::fromStdString(platform::comPortPath(name.toStdString())));
    }
}

void TFormMain::OpenLightBarrierPort() {
    choosePort();
    if (ComPort->Port() != 0) {
        try {
            tryOpenPort();
        } catch (const Exception&) {
            // Not reported: the status shows it, and the port is tried again every second.
        }
    }
    showBarrierStatus();
}

void TFormMain::changePort(uint8_t port) {
    ComPort->Close();
    ComPort->setPort(port);
    choosePort();
    showBarrierStatus();
    if (port != 0)
        tryOpenPort(); // an error reaches the operator; the port is tried again meanwhile
}

void TFormMain::ComPortWatchEnd(QObject*, const TWatchEnd& End) {
    m_link.WatcherEnded(End, platform::systemClock().localDateTime().time());
    // The last word seen belongs to the device that went; the first of the next one counts.
    m_lastModemStatus = 0x55555555;
    showBarrierStatus();
}

void TFormMain::ReconnectTimer(QObject*) {
    // Not from inside one of the port's own handlers (an action letting messages run).
    if (!m_link.RetryDue(GetTickCount()) || ComPort->InHandler())
        return;
    try {
        tryOpenPort();
    } catch (const Exception&) {
    }
}

void TFormMain::ComPortDSR(QObject*, uint32_t ModemStatus, uint32_t Tick) {
    if (ModemStatus == m_lastModemStatus)
        return;
    m_lastModemStatus = ModemStatus;
    if (m_settings.Alg == 0 && (ModemStatus & platform::MS_DSR_ON))
        LightBarrierTrigger(Tick);
}

void TFormMain::LightBarrierTrigger(uint32_t tick) {
    if (tapPass(tick))
        return;
    const EdgeOutcome outcome = m_gate.Decide(m_session, tick);
    journalEdge(tick, outcome);
    switch (outcome) {
    case EdgeOutcome::Start:
        runAction(RunAction::Start, tick);
        break;
    case EdgeOutcome::Lap:
        runAction(RunAction::Lap, tick);
        break;
    case EdgeOutcome::Stop:
        runAction(RunAction::Stop, tick);
        break;
    case EdgeOutcome::IgnoredAfterStop:
    case EdgeOutcome::IgnoredDeadTime:
        break;
    }
}
