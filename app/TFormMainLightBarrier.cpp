#include "TFormMain.h"

#include "core/Exception.h"
#include "platform/Registry.h"
#include "platform/SerialPortNames.h"

#include <QCoreApplication>
#include <QRegularExpression>

void TFormMain::buildLightBarrier() {
    ComPort = new TComPort(this);
    ComPort->setName(QStringLiteral("ComPort"));
    ComPort->setPort(0);
    ComPort->setDataBits(5);
    ComPort->setEvents({TEvent::evDSR});
    ComPort->setWriteBufSize(64);
    ComPort->setReadBufSize(64);
    ComPort->OnDSR = [this](QObject* Sender) { ComPortDSR(Sender); };
}

void TFormMain::ReadPortSettings() {
    platform::Registry registry;
    if (!registry.OpenKey(QStringLiteral("\\Software\\") + QCoreApplication::applicationName(), false))
        return;
    static const QRegularExpression deviceName(QStringLiteral("^ComDevice([0-9]+)$"),
                                               QRegularExpression::CaseInsensitiveOption);
    for (const QString& name : registry.GetValueNames()) {
        const QRegularExpressionMatch m = deviceName.match(name);
        if (m.hasMatch() && registry.GetDataType(name) == platform::RegDataType::String)
            platform::setComDeviceOverride(m.captured(1).toInt(), registry.ReadString(name).toStdString());
    }
    if (registry.GetDataType(QStringLiteral("Port")) == platform::RegDataType::Integer) {
        const int port = registry.ReadInteger(QStringLiteral("Port"));
        if (port >= 0 && port <= 255)
            ComPort->setPort(uint8_t(port));
    }
}

void TFormMain::OpenLightBarrierPort() {
    if (ComPort->Port() == 0)
        return;
    try {
        ComPort->Open();
    } catch (const Exception&) {
        // The barrier stays off until the port is chosen again in the settings.
    }
}

void TFormMain::ComPortDSR(QObject*) {
    // The word as it was at the edge: a later read could already see the next edge.
    const uint32_t s = ComPort->EventModemStatus();
    if (s == m_lastModemStatus)
        return;
    m_lastModemStatus = s;
    if (Alg() == 0 && (s & platform::MS_DSR_ON))
        LightBarrierTrigger();
}

void TFormMain::LightBarrierTrigger() {
    const uint32_t tick = ComPort->EventTick();
    if (const std::optional<RunAction> next = m_session.NextBarrierAction())
        ClickWithTick(runItem(*next), tick);
}
