#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace platform {

// Event-mask bits of a serial wait (the Win32 EV_ values the port component is modelled on).
constexpr uint32_t EV_RXCHAR = 0x0001;
constexpr uint32_t EV_RXFLAG = 0x0002;
constexpr uint32_t EV_TXEMPTY = 0x0004;
constexpr uint32_t EV_CTS = 0x0008;
constexpr uint32_t EV_DSR = 0x0010;
constexpr uint32_t EV_RLSD = 0x0020;
constexpr uint32_t EV_BREAK = 0x0040;
constexpr uint32_t EV_ERR = 0x0080;
constexpr uint32_t EV_RING = 0x0100;

// Modem-status bits (the Win32 MS_ values).
constexpr uint32_t MS_CTS_ON = 0x0010;
constexpr uint32_t MS_DSR_ON = 0x0020;
constexpr uint32_t MS_RING_ON = 0x0040;
constexpr uint32_t MS_RLSD_ON = 0x0080;

// Purge flags.
constexpr uint32_t PURGE_TXABORT = 0x0001;
constexpr uint32_t PURGE_RXABORT = 0x0002;
constexpr uint32_t PURGE_TXCLEAR = 0x0004;
constexpr uint32_t PURGE_RXCLEAR = 0x0008;

/// Line settings in the shape of the Win32 device-control block; flags are plain fields.
struct SerialDcb {
    uint32_t DCBlength = 0;
    uint32_t BaudRate = 0;
    uint32_t fBinary = 0;
    uint32_t fParity = 0;
    uint32_t fOutxCtsFlow = 0;
    uint32_t fOutxDsrFlow = 0;
    uint32_t fDtrControl = 0; ///< 0 disable, 1 enable, 2 handshake
    uint32_t fDsrSensitivity = 0;
    uint32_t fTXContinueOnXoff = 0;
    uint32_t fOutX = 0;
    uint32_t fInX = 0;
    uint32_t fErrorChar = 0;
    uint32_t fNull = 0;
    uint32_t fRtsControl = 0; ///< 0 disable, 1 enable, 2 handshake, 3 toggle
    uint32_t fAbortOnError = 0;
    uint16_t XonLim = 0;
    uint16_t XoffLim = 0;
    uint8_t ByteSize = 0;
    uint8_t Parity = 0;   ///< 0 none, 1 odd, 2 even, 3 mark, 4 space
    uint8_t StopBits = 0; ///< 0 one, 1 one and a half, 2 two
    char XonChar = 0;
    char XoffChar = 0;
    char ErrorChar = 0;
    char EofChar = 0;
    char EvtChar = 0;

    bool operator==(const SerialDcb&) const = default;
};

/// Read and write time-outs in the shape of the Win32 COMMTIMEOUTS record.
struct SerialTimeouts {
    uint32_t ReadIntervalTimeout = 0;
    uint32_t ReadTotalTimeoutMultiplier = 0;
    uint32_t ReadTotalTimeoutConstant = 0;
    uint32_t WriteTotalTimeoutMultiplier = 0;
    uint32_t WriteTotalTimeoutConstant = 0;

    bool operator==(const SerialTimeouts&) const = default;
};

/// One serial event: the EV_ bits that occurred and the modem-status word right after it.
struct SerialEvent {
    uint32_t mask = 0;
    uint32_t modemStatus = 0;

    bool operator==(const SerialEvent&) const = default;
};

/// How a wait for serial events ended.
enum class WaitStatus {
    Events,    ///< `events` holds one or more events, oldest first
    Cancelled, ///< cancelWait() was called
    Failed,    ///< the device failed (for example unplugged); `error` holds the code
};

/// The outcome of SerialDevice::waitEvent().
struct WaitResult {
    WaitStatus status = WaitStatus::Cancelled;
    int error = 0;
    std::vector<SerialEvent> events;
};

/// One serial port as the port component uses it. Every call returns 0 on success or an
/// error code (an errno value) that the caller shows as its "last error".
/// waitEvent() runs on the watcher thread while modemStatus() and cancelWait() may be called
/// from another thread; all other calls are made while no wait is in progress.
class SerialDevice {
public:
    virtual ~SerialDevice() = default;

    /// Opens the port called `name` ("COM3") exclusively.
    virtual int open(const std::string& name) = 0;
    /// Applies baud rate, character format, handshake and DTR/RTS from `dcb`.
    virtual int setState(const SerialDcb& dcb) = 0;
    /// Reads the current time-outs.
    virtual int getTimeouts(SerialTimeouts& timeouts) = 0;
    /// Sets the time-outs.
    virtual int setTimeouts(const SerialTimeouts& timeouts) = 0;
    /// Requests driver queues of the given sizes in bytes.
    virtual int setupQueues(uint32_t inQueue, uint32_t outQueue) = 0;
    /// Chooses the EV_ events that waitEvent() reports.
    virtual int setEventMask(uint32_t mask) = 0;
    /// Blocks until a subscribed event occurs, the device fails or cancelWait() is called.
    virtual WaitResult waitEvent() = 0;
    /// Ends a pending waitEvent() and makes every later one return Cancelled at once. Any thread.
    virtual void cancelWait() = 0;
    /// Reads the MS_ modem-status word.
    virtual int modemStatus(uint32_t& status) = 0;
    /// Discards queued data and aborts pending transfers as `flags` (PURGE_) say.
    virtual int purge(uint32_t flags) = 0;
    /// Clears a line-error state; reports the error bits and the bytes waiting in the input queue.
    virtual int clearError(uint32_t& errors, uint32_t& inQueue) = 0;
    /// Closes the port. Later calls fail; a second close does nothing.
    virtual void close() = 0;
};

/// Makes the devices that ports open.
using SerialDeviceFactory = std::function<std::unique_ptr<SerialDevice>()>;

/// A new, closed device from the installed factory (the system's serial ports by default).
std::unique_ptr<SerialDevice> createSerialDevice();

/// Installs `factory` for createSerialDevice(); an empty function restores the system one.
void setSerialDeviceFactory(SerialDeviceFactory factory);

/// A closed device for the system's serial ports: a tty through termios, or the light-barrier
/// simulator when the port's path is a Unix-domain socket.
std::unique_ptr<SerialDevice> createSystemSerialDevice();

} // namespace platform
