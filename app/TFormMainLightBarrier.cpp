#include "TFormMain.h"

#include "core/Exception.h"

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
