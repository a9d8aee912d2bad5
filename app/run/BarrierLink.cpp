#include "app/run/BarrierLink.h"

#include <QCoreApplication>
#include <cerrno>
#include <cstring>

void BarrierLink::PortChosen(const QString& name, const QString& devicePath) {
    m_name = name;
    m_path = devicePath;
    m_state = BarrierState::NoPort;
    m_lostSince = QTime();
    m_lastError = 0;
}

void BarrierLink::Opened() {
    m_state = BarrierState::Connected;
    m_lostSince = QTime();
    m_lastError = 0;
}

void BarrierLink::OpenFailed(int error, uint32_t tick) {
    if (m_name.isEmpty())
        return;
    // A port that was lost stays lost (with its time) until it opens again.
    if (m_state != BarrierState::Lost)
        m_state = BarrierState::Reconnecting;
    m_lastError = error;
    m_lastAttempt = tick;
}

void BarrierLink::WatcherEnded(const TWatchEnd& end, const QTime& timeOfDay) {
    if (m_state != BarrierState::Connected)
        return;
    m_state = BarrierState::Lost;
    m_lostSince = timeOfDay;
    m_lastError = end.Error;
    m_lastAttempt = end.Tick;
}

bool BarrierLink::RetryDue(uint32_t now) const {
    if (!Retrying())
        return false;
    // Read as a signed interval so the wrap of the counter does not matter; a tick from before
    // the last attempt (a clock set back) counts as due rather than waiting for 49 days.
    const int32_t since = static_cast<int32_t>(now - m_lastAttempt);
    return since < 0 || since >= static_cast<int32_t>(RetryIntervalMs);
}

QString BarrierLink::Text() const {
    switch (m_state) {
    case BarrierState::NoPort:
        return QCoreApplication::translate("BarrierLink", "Lichtschranke: kein Port");
    case BarrierState::Connected:
        return QCoreApplication::translate("BarrierLink", "Lichtschranke: %1 verbunden").arg(m_name);
    case BarrierState::Lost:
        return QCoreApplication::translate("BarrierLink", "Lichtschranke: %1 getrennt seit %2")
            .arg(m_name, m_lostSince.toString(QStringLiteral("HH:mm:ss")));
    case BarrierState::Reconnecting:
        if (m_lastError == EBUSY)
            return QCoreApplication::translate("BarrierLink", "Lichtschranke: %1 belegt").arg(m_name);
        return QCoreApplication::translate("BarrierLink", "Lichtschranke: verbinde %1 …").arg(m_name);
    }
    return QString();
}

TColor BarrierLink::Color() const {
    switch (m_state) {
    case BarrierState::NoPort:
        return clSilver;
    case BarrierState::Connected:
        return clGreen;
    case BarrierState::Lost:
        return clRed;
    case BarrierState::Reconnecting:
        return 0x0080FF; // orange
    }
    return clSilver;
}

TColor BarrierLink::TextColor() const {
    return (m_state == BarrierState::Connected || m_state == BarrierState::Lost) ? clWhite : clBlack;
}

QString BarrierLink::ToolTip() const {
    if (m_name.isEmpty())
        return QCoreApplication::translate("BarrierLink", "Keine Lichtschranke eingestellt");
    QString tip =
        QCoreApplication::translate("BarrierLink", "Gerät: %1")
            .arg(m_path.isEmpty() ? QCoreApplication::translate("BarrierLink", "(unbekannt)") : m_path);
    if (Retrying()) {
        tip += QCoreApplication::translate("BarrierLink", "\nNeuer Versuch jede Sekunde");
        if (m_lastError == EBUSY)
            tip += QCoreApplication::translate("BarrierLink",
                                               "\nDer Port ist von einem anderen Programm geöffnet.");
        else if (m_lastError)
            tip += QCoreApplication::translate("BarrierLink", "\nLetzter Fehler: %1")
                       .arg(QString::fromLocal8Bit(std::strerror(m_lastError)));
    }
    return tip;
}
