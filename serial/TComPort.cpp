#include "serial/TComPort.h"

#include "platform/SystemClock.h"
#include "serial/EComHandle.h"
#include "serial/EComState.h"
#include "serial/TComThread.h"

#include <QScopeGuard>

TComPort::TComPort(QObject* AOwner) : QObject(AOwner) {}

TComPort::~TComPort() {
    Close();
}

void TComPort::setName(const QString& value) {
    if (value == objectName())
        return;
    setObjectName(value);
}

void TComPort::setTag(int value) {
    if (value == m_tag)
        return;
    m_tag = value;
}

void TComPort::setBaudRate(TBaudRate value) {
    if (value == m_baudRate)
        return;
    m_baudRate = value;
}

void TComPort::setBaudRateUser(int32_t value) {
    if (value == m_baudRateUser)
        return;
    m_baudRateUser = value;
}

void TComPort::setPort(uint8_t value) {
    if (value == m_port)
        return;
    m_port = value;
}

void TComPort::setParity(TParity value) {
    if (value == m_parity)
        return;
    m_parity = value;
}

void TComPort::setStopBits(TStopBits value) {
    if (value == m_stopBits)
        return;
    m_stopBits = value;
}

void TComPort::setFlowControl(TFlowControl value) {
    if (value == m_flowControl)
        return;
    m_flowControl = value;
}

void TComPort::setDataBits(uint8_t value) {
    if (value == m_dataBits)
        return;
    if (value > 8)
        value = 8;
    else if (value < 5)
        value = 5;
    m_dataBits = value;
}

void TComPort::setEvents(TEvents value) {
    if (value == m_events)
        return;
    m_events = value;
}

void TComPort::setEnableDTR(bool value) {
    if (value == m_enableDTR)
        return;
    m_enableDTR = value;
}

void TComPort::setWriteBufSize(int32_t value) {
    if (value == m_writeBufSize)
        return;
    m_writeBufSize = value;
}

void TComPort::setReadBufSize(int32_t value) {
    if (value == m_readBufSize)
        return;
    m_readBufSize = value;
}

QString TComPort::DeviceName() const {
    // The whole number, so that COM10 and above can be opened too.
    return QStringLiteral("COM") + QString::number(m_port);
}

platform::SerialDcb TComPort::BuildDcb() const {
    platform::SerialDcb dcb; // every field not set here stays 0
    dcb.DCBlength = 28;
    dcb.BaudRate = BaudRateValue(m_baudRate, m_baudRateUser);
    dcb.fBinary = 1;
    dcb.fParity = 0;
    dcb.fDtrControl = m_enableDTR ? 1 : 0;
    dcb.fOutxCtsFlow = m_flowControl == TFlowControl::fcRtsCts ? 1 : 0;
    dcb.fRtsControl = m_flowControl == TFlowControl::fcRtsCts ? 2 : 0;
    dcb.fOutX = dcb.fInX = m_flowControl == TFlowControl::fcXonXoff ? 1 : 0;
    dcb.XonLim = static_cast<uint16_t>(m_writeBufSize / 4);
    dcb.XoffLim = 1;
    dcb.ByteSize = m_dataBits;
    dcb.Parity = static_cast<uint8_t>(m_parity);
    dcb.StopBits = static_cast<uint8_t>(m_stopBits);
    dcb.XonChar = 17;
    dcb.XoffChar = 19;
    return dcb;
}

void TComPort::Open() {
    Close();
    auto device = platform::createSerialDevice();
    m_lastError = 0;
    if (const int error = device->open(DeviceName().toStdString())) {
        m_lastError = error;
        throw EComHandle(QStringLiteral("Unable to open com port: ") + QString::number(error));
    }

    int error = device->setState(BuildDcb());
    platform::SerialTimeouts timeouts;
    if (!error)
        error = device->getTimeouts(timeouts);
    if (!error) {
        timeouts.ReadIntervalTimeout = 0xFFFFFFFF;
        timeouts.ReadTotalTimeoutMultiplier = 0;
        timeouts.ReadTotalTimeoutConstant = 0;
        timeouts.WriteTotalTimeoutMultiplier = 1000;
        timeouts.WriteTotalTimeoutConstant = 1500;
        error = device->setTimeouts(timeouts);
    }
    if (!error)
        error =
            device->setupQueues(static_cast<uint32_t>(m_readBufSize), static_cast<uint32_t>(m_writeBufSize));
    if (error) {
        // A half-opened device would hold the port until the program ends.
        device->close();
        m_lastError = error;
        throw EComState(QStringLiteral("Unable to set com state: ") + QString::number(error));
    }

    m_device = std::move(device);
    m_thread = std::make_unique<TComThread>(this, *m_device);
    m_connected = true;
    if (OnOpen)
        OnOpen(this);
}

void TComPort::Close() {
    if (!m_connected)
        return;
    m_thread.reset();
    if (m_device) {
        m_device->close();
        m_device.reset();
    }
    m_connected = false;
    if (OnClose)
        OnClose(this);
}

uint32_t TComPort::ModemStatus() {
    if (!m_device)
        return 0;
    uint32_t status = 0;
    if (m_device->modemStatus(status) != 0)
        return 0;
    return status;
}

bool TComPort::HandOverPending() const {
    return m_thread && m_thread->HandOverPending();
}

bool TComPort::Watching() const {
    return m_connected && m_thread && !m_thread->Ended();
}

void TComPort::WatcherEnded(const TWatchEnd& end) {
    if (m_connected && OnWatchEnd)
        OnWatchEnd(this, end);
}

void TComPort::DispatchEvent(const platform::SerialEvent& event, uint32_t tick) {
    using namespace platform;
    ++m_dispatchDepth;
    const auto leave = qScopeGuard([this] { --m_dispatchDepth; });

    const uint32_t mask = event.mask;
    // A handler may close the port; the rest of the step then belongs to a closed port.
    auto fire = [&](uint32_t bit, const TNotifyEvent& handler) {
        if ((mask & bit) && handler && m_connected)
            handler(this);
    };
    if ((mask & EV_RXCHAR) && OnRxChar && m_connected) {
        uint32_t errors = 0;
        uint32_t inQueue = 0;
        m_device->clearError(errors, inQueue);
        OnRxChar(this, static_cast<int>(inQueue));
    }
    fire(EV_TXEMPTY, OnTxEmpty);
    fire(EV_BREAK, OnBreak);
    // The modem lines' handlers get the word as it was at the edge: a read now could already see
    // the next edge.
    auto fireModem = [&](uint32_t bit, const TModemEvent& handler) {
        if ((mask & bit) && handler && m_connected)
            handler(this, event.modemStatus, tick);
    };
    fireModem(EV_RING, OnRing);
    fireModem(EV_CTS, OnCTS);
    fireModem(EV_DSR, OnDSR);
    fire(EV_RXFLAG, OnRxFlag);
    fireModem(EV_RLSD, OnRLSD);
    fire(EV_ERR, OnError);
}
