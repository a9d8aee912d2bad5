#pragma once

#include "serial/SerialDevice.h"

#include <cstdint>
#include <memory>
#include <thread>

class QSocketNotifier;
class TComPort;

/// The watcher of an open port: a thread that sleeps in the device's wait, reads the tick counter
/// the moment the wait ends, and hands the events to the GUI thread, blocking until the port's
/// handlers have run there. It never touches a widget. When its device fails it ends and hands
/// the reason to the GUI thread as a plain value (the port's OnWatchEnd).
class TComThread {
public:
    /// Subscribes the device to the port's Events and starts watching. Call on the GUI thread.
    TComThread(TComPort* AComPort, platform::SerialDevice& device);
    /// Stops the watcher. While it waits for the thread to end it runs hand-overs that are
    /// already pending, so neither side can block the other.
    ~TComThread();
    TComThread(const TComThread&) = delete;
    TComThread& operator=(const TComThread&) = delete;

    /// Whether the watcher is blocked until the GUI thread runs its hand-over.
    bool HandOverPending() const;
    /// Whether the watcher has ended (stopped, or its device failed).
    bool Ended() const;
    /// The EV_ mask the watcher subscribed to.
    uint32_t EventMask() const { return m_eventMask; }

private:
    struct Channel;
    void Execute();

    platform::SerialDevice& m_device;
    uint32_t m_eventMask = 0;
    std::shared_ptr<Channel> m_channel;
    QSocketNotifier* m_notifier = nullptr; ///< rings the GUI thread when a hand-over is pending
    std::thread m_thread;
};
