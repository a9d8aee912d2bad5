#include "TComThread.h"

#include "TComPort.h"
#include "comms/ComTypes.h"
#include "platform/SystemClock.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <pthread.h>
#include <sched.h>
#include <vector>

namespace {
struct Item {
    platform::SerialEvent event;
    uint32_t tick;
};
} // namespace

// The hand-over between the watcher and the GUI thread. It is shared with the queued call that
// runs the dispatch on the GUI thread, so it outlives a watcher that was stopped meanwhile.
struct TComThread::Channel {
    enum class State { Idle, Pending, Running };

    std::mutex mutex;
    std::condition_variable cv;
    State state = State::Idle;
    std::vector<Item> batch;
    TComPort* port = nullptr;
    bool stop = false;
    bool abandoned = false;
    bool finished = false;

    // GUI thread: runs the pending dispatch steps, if any.
    void Service(bool rethrow) {
        std::vector<Item> items;
        TComPort* target;
        {
            std::lock_guard lock(mutex);
            if (state != State::Pending || !port)
                return;
            items.swap(batch);
            state = State::Running;
            target = port;
        }
        std::exception_ptr error;
        for (const Item& item : items) {
            {
                std::lock_guard lock(mutex);
                if (abandoned)
                    break;
            }
            try {
                target->DispatchEvent(item.event, item.tick);
            } catch (...) {
                if (!error)
                    error = std::current_exception();
            }
        }
        {
            std::lock_guard lock(mutex);
            state = State::Idle;
        }
        cv.notify_all();
        if (error && rethrow)
            std::rethrow_exception(error);
    }
};

TComThread::TComThread(TComPort* AComPort, platform::SerialDevice& device)
    : m_device(device), m_eventMask(EventsToMask(AComPort->Events())),
      m_channel(std::make_shared<Channel>()) {
    m_channel->port = AComPort;
    m_device.setEventMask(m_eventMask); // a failure leaves a watcher that sees no events
    m_thread = std::thread([this] { Execute(); });
}

TComThread::~TComThread() {
    Channel& ch = *m_channel;
    {
        std::lock_guard lock(ch.mutex);
        ch.stop = true;
        // Running means we are inside one of the port's handlers on this very thread (Close
        // called from a handler): the watcher must not wait for that handler to finish.
        if (ch.state == Channel::State::Running)
            ch.abandoned = true;
    }
    ch.cv.notify_all();
    m_device.cancelWait();
    {
        std::unique_lock lock(ch.mutex);
        while (!ch.finished) {
            if (ch.state == Channel::State::Pending) {
                lock.unlock();
                ch.Service(false);
                lock.lock();
                continue;
            }
            ch.cv.wait(lock);
        }
    }
    m_thread.join();
    std::lock_guard lock(ch.mutex);
    ch.port = nullptr;
}

bool TComThread::HandOverPending() const {
    std::lock_guard lock(m_channel->mutex);
    return m_channel->state == Channel::State::Pending;
}

void TComThread::Execute() {
    // The watcher sleeps nearly always; when an edge wakes it, it should get a processor before
    // busier threads so the tick it reads is the edge's. Without the right to do so it runs normally.
    sched_param param{};
    param.sched_priority = 10;
    pthread_setschedparam(pthread_self(), SCHED_FIFO, &param);

    Channel& ch = *m_channel;
    for (;;) {
        platform::WaitResult result = m_device.waitEvent();
        // The edge is the moment that counts: read the counter before anything else.
        const uint32_t tick = GetTickCount();
        if (result.status != platform::WaitStatus::Events)
            break; // stopped, or the device failed (unplugged): end quietly
        if (result.events.empty())
            continue;
        std::unique_lock lock(ch.mutex);
        if (ch.stop)
            break;
        ch.batch.clear();
        for (const auto& event : result.events)
            ch.batch.push_back({event, tick});
        ch.state = Channel::State::Pending;
        if (auto* app = QCoreApplication::instance()) {
            QMetaObject::invokeMethod(
                app, [channel = m_channel] { channel->Service(true); }, Qt::QueuedConnection);
        }
        ch.cv.notify_all();
        ch.cv.wait(lock, [&] { return ch.state == Channel::State::Idle || ch.abandoned; });
        if (ch.stop)
            break;
    }
    m_device.purge(platform::PURGE_RXABORT | platform::PURGE_RXCLEAR);
    {
        std::lock_guard lock(ch.mutex);
        ch.finished = true;
    }
    ch.cv.notify_all();
}
