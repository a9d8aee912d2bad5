#pragma once

#include "serial/SerialDevice.h"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace platform {

/// The calls of a serial device that a test can make fail.
enum class SerialCall {
    Open,
    SetState,
    GetTimeouts,
    SetTimeouts,
    SetupQueues,
    SetEventMask,
    Wait,
    ModemStatus
};

/// The scripted far end of fake serial devices: the modem lines a test sets, the events it raises,
/// the failures it orders, and a record of what the devices were asked to do. It outlives the
/// devices, so one line serves every Open of a port. Thread-safe.
class FakeSerialLine {
public:
    /// Makes `call` fail with `code` from now on; 0 makes it succeed again.
    void setFailure(SerialCall call, int code);
    /// Sets the modem-status word without reporting an event.
    void setModemStatus(uint32_t status);
    /// Sets the modem-status word and reports each changed line once, in one wake-up.
    void changeLines(uint32_t status);
    /// Toggles `line` (an MS_ bit) `count` times within one wake-up, as a pulse shorter than
    /// the wake-up does; the driver's counters see every edge.
    void pulse(uint32_t line, uint32_t count = 2);
    /// Reports one wake-up with exactly the event bits `mask` (filtered by the device's event
    /// mask, as a driver does) and the modem-status word `status`.
    void raise(uint32_t mask, uint32_t status);
    /// Sets the bytes that clearError() reports as waiting in the input queue.
    void setInQueue(uint32_t bytes);

    /// Waits up to `timeoutMs` until a device is blocked in waitEvent() with nothing queued.
    bool waitUntilWaiting(int timeoutMs = 2000);
    /// Waits up to `timeoutMs` until the wake-ups raised so far have all been taken.
    bool waitUntilTaken(int timeoutMs = 2000);

    /// The name of the last open, successful or not.
    std::string openedName() const;
    /// The last settings applied.
    SerialDcb dcb() const;
    /// The time-outs as last set.
    SerialTimeouts timeouts() const;
    /// Input and output queue sizes last requested.
    std::pair<uint32_t, uint32_t> queues() const;
    /// The event mask last set.
    uint32_t eventMask() const;
    /// The current modem-status word.
    uint32_t modemStatus() const;
    /// Every call in order ("open COM3", "setState", "wait", "purge 10", "close", ...).
    std::vector<std::string> log() const;
    /// Number of waitEvent() calls.
    int waitCalls() const;
    /// Number of devices open now.
    int openDevices() const;
    /// Calls made on a device after it was closed (should stay 0).
    int callsAfterClose() const;

    // Used by FakeSerialDevice.
    int enter(const char* what, SerialCall call, bool isOpen);
    int enter(const char* what, bool isOpen);
    int open(const std::string& name);
    void closed();
    void store(const SerialDcb& dcb);
    void store(const SerialTimeouts& timeouts);
    void storeQueues(uint32_t in, uint32_t out);
    void storeMask(uint32_t mask);
    uint32_t inQueue() const;
    WaitResult wait(const std::atomic<bool>& cancelled);
    void wakeAll();

private:
    void queue(std::vector<SerialEvent> events);

    mutable std::mutex m_mutex;
    std::condition_variable m_cv;
    std::map<SerialCall, int> m_failures;
    std::deque<std::vector<SerialEvent>> m_wakeups;
    std::string m_openedName;
    SerialDcb m_dcb;
    SerialTimeouts m_timeouts{10, 20, 30, 40, 50};
    uint32_t m_inQueueSize = 0;
    uint32_t m_outQueueSize = 0;
    uint32_t m_eventMask = 0;
    uint32_t m_status = 0;
    uint32_t m_inQueue = 0;
    std::vector<std::string> m_log;
    int m_waitCalls = 0;
    int m_waiting = 0;
    int m_open = 0;
    int m_callsAfterClose = 0;
};

/// A serial device that talks to a FakeSerialLine.
class FakeSerialDevice : public SerialDevice {
public:
    /// A closed device on `line`.
    explicit FakeSerialDevice(std::shared_ptr<FakeSerialLine> line);
    ~FakeSerialDevice() override;

    int open(const std::string& name) override;
    int setState(const SerialDcb& dcb) override;
    int getTimeouts(SerialTimeouts& timeouts) override;
    int setTimeouts(const SerialTimeouts& timeouts) override;
    int setupQueues(uint32_t inQueue, uint32_t outQueue) override;
    int setEventMask(uint32_t mask) override;
    WaitResult waitEvent() override;
    void cancelWait() override;
    int modemStatus(uint32_t& status) override;
    int purge(uint32_t flags) override;
    int clearError(uint32_t& errors, uint32_t& inQueue) override;
    void close() override;

private:
    std::shared_ptr<FakeSerialLine> m_line;
    std::atomic<bool> m_open{false};
    std::atomic<bool> m_cancelled{false};
};

/// Installs a factory of fake devices on one shared line while it lives.
class FakeSerial {
public:
    /// Installs the fake factory.
    FakeSerial();
    /// Restores the system factory.
    ~FakeSerial();
    FakeSerial(const FakeSerial&) = delete;
    FakeSerial& operator=(const FakeSerial&) = delete;

    /// The line every fake device talks to.
    FakeSerialLine& line() { return *m_line; }

private:
    std::shared_ptr<FakeSerialLine> m_line;
};

} // namespace platform
