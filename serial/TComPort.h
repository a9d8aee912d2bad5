#pragma once

#include "core/NotifyEvent.h"
#include "serial/ComTypes.h"
#include "serial/SerialDevice.h"

#include <QObject>
#include <QString>
#include <cstdint>
#include <memory>

class TComThread;

/// The link to the light barrier: opens one serial port, configures it from its properties and
/// runs a watcher thread that hands every subscribed serial event to the GUI thread, where the
/// port fires its handlers. Properties take effect at the next Open().
class TComPort : public QObject {
public:
    /// A closed port with the construction values (COM1, 9600 baud, 8N1, all nine events).
    explicit TComPort(QObject* AOwner = nullptr);
    /// Closes the port.
    ~TComPort() override;
    TComPort(const TComPort&) = delete;
    TComPort& operator=(const TComPort&) = delete;

    /// The component's name.
    QString Name() const { return objectName(); }
    /// Sets the component's name.
    void setName(const QString& value);
    /// A spare integer (the main window keeps its light-barrier mode here).
    int Tag() const { return m_tag; }
    /// Sets Tag.
    void setTag(int value);

    /// Line speed choice.
    TBaudRate BaudRate() const { return m_baudRate; }
    /// Sets BaudRate.
    void setBaudRate(TBaudRate value);
    /// Line speed used when BaudRate is brUser.
    int32_t BaudRateUser() const { return m_baudRateUser; }
    /// Sets BaudRateUser.
    void setBaudRateUser(int32_t value);
    /// Port number n of the device "COMn".
    uint8_t Port() const { return m_port; }
    /// Sets Port.
    void setPort(uint8_t value);
    /// Parity scheme.
    TParity Parity() const { return m_parity; }
    /// Sets Parity.
    void setParity(TParity value);
    /// Stop bits.
    TStopBits StopBits() const { return m_stopBits; }
    /// Sets StopBits.
    void setStopBits(TStopBits value);
    /// Handshake.
    TFlowControl FlowControl() const { return m_flowControl; }
    /// Sets FlowControl.
    void setFlowControl(TFlowControl value);
    /// Data bits per character, 5..8.
    uint8_t DataBits() const { return m_dataBits; }
    /// Sets DataBits, kept within 5..8.
    void setDataBits(uint8_t value);
    /// The events the watcher subscribes to.
    TEvents Events() const { return m_events; }
    /// Sets Events.
    void setEvents(TEvents value);
    /// Whether DTR is raised while the port is open.
    bool EnableDTR() const { return m_enableDTR; }
    /// Sets EnableDTR.
    void setEnableDTR(bool value);
    /// Output queue size in bytes.
    int32_t WriteBufSize() const { return m_writeBufSize; }
    /// Sets WriteBufSize.
    void setWriteBufSize(int32_t value);
    /// Input queue size in bytes.
    int32_t ReadBufSize() const { return m_readBufSize; }
    /// Sets ReadBufSize.
    void setReadBufSize(int32_t value);

    /// A character arrived.
    TRxCharEvent OnRxChar;
    /// The output queue ran empty.
    TNotifyEvent OnTxEmpty;
    /// A break was detected.
    TNotifyEvent OnBreak;
    /// The ring indicator changed; with the edge's modem status and tick.
    TModemEvent OnRing;
    /// CTS changed; with the edge's modem status and tick.
    TModemEvent OnCTS;
    /// DSR changed; with the edge's modem status and tick.
    TModemEvent OnDSR;
    /// The carrier-detect line changed; with the edge's modem status and tick.
    TModemEvent OnRLSD;
    /// The event character arrived.
    TNotifyEvent OnRxFlag;
    /// A line-status error occurred.
    TNotifyEvent OnError;
    /// Fired at the end of a successful Open().
    TNotifyEvent OnOpen;
    /// Fired at the end of Close().
    TNotifyEvent OnClose;
    /// Fired on the GUI thread when the watcher ended by itself because the device failed or went
    /// away. The port stays Connected (and sees no more events) until Close() or the next Open().
    TWatchEndEvent OnWatchEnd;

    /// Closes, then opens and configures the device and starts the watcher.
    /// Throws EComHandle when the device cannot be opened, EComState when it refuses its settings.
    void Open();
    /// Stops the watcher and closes the device; nothing when not connected. Hand-overs that the
    /// watcher made before are still run (their handlers fire inside Close).
    void Close();
    /// Whether the port is open.
    bool Connected() const { return m_connected; }
    /// The error code of the last Open() that failed; 0 after one that succeeded.
    int LastError() const { return m_lastError; }
    /// The MS_ modem-status word of the open port; 0 when closed or unreadable.
    uint32_t ModemStatus();
    /// The device name Open() uses: "COM" and the port number in decimal.
    QString DeviceName() const;

    /// Whether the watcher is waiting for the GUI thread to run its events.
    bool HandOverPending() const;
    /// Whether the port is open and its watcher still watches.
    bool Watching() const;
    /// Whether one of the port's handlers is running now.
    bool InHandler() const { return m_dispatchDepth > 0; }

private:
    friend class TComThread;
    /// The dispatch step for one event, on the GUI thread.
    void DispatchEvent(const platform::SerialEvent& event, uint32_t tick);
    /// The watcher's own end, on the GUI thread.
    void WatcherEnded(const TWatchEnd& end);
    platform::SerialDcb BuildDcb() const;

    int m_tag = 0;
    TBaudRate m_baudRate = TBaudRate::br9600;
    int32_t m_baudRateUser = 28800;
    uint8_t m_port = 1;
    TParity m_parity = TParity::prNone;
    TStopBits m_stopBits = TStopBits::sbOneStopBit;
    TFlowControl m_flowControl = TFlowControl::fcNone;
    uint8_t m_dataBits = 8;
    TEvents m_events = TEvents::All();
    bool m_enableDTR = true;
    int32_t m_writeBufSize = 2048;
    int32_t m_readBufSize = 2048;

    std::unique_ptr<platform::SerialDevice> m_device;
    std::unique_ptr<TComThread> m_thread;
    bool m_connected = false;
    int m_lastError = 0;
    int m_dispatchDepth = 0;
};
