#include "serial/TComThread.h"

#include "platform/SystemClock.h"
#include "serial/ComTypes.h"
#include "serial/TComPort.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <optional>
#include <pthread.h>
#include <sched.h>
#include <sys/eventfd.h>
#include <unistd.h>
#include <vector>

namespace {
struct Item {
    platform::SerialEvent event;
    uint32_t tick;
};
} // namespace

// The hand-over between the watcher and the GUI thread. The watcher rings the GUI thread through
// an eventfd that a socket notifier of the GUI thread watches: nothing that the watcher allocates
// crosses over. The channel is shared with the notifier's handler, so it outlives a watcher that
// was stopped while that handler ran.
struct TComThread::Channel {
    enum class State { Idle, Pending, Running };

    Channel() : wakeFd(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}
    ~Channel() {
        if (wakeFd >= 0)
            ::close(wakeFd);
    }
    Channel(const Channel&) = delete;
    Channel& operator=(const Channel&) = delete;

    const int wakeFd;
    std::mutex mutex;
    std::condition_variable cv;
    State state = State::Idle;
    std::vector<Item> batch;
    TComPort* port = nullptr;
    bool stop = false;
    bool abandoned = false;
    bool finished = false;
    std::optional<TWatchEnd> end; ///< why the watcher ended by itself, until the GUI thread took it

    // GUI thread: reports the watcher's own end once; nothing after a stop through Close().
    void ServiceEnd() {
        std::optional<TWatchEnd> ended;
        TComPort* target;
        {
            std::lock_guard lock(mutex);
            if (!end || stop || !port)
                return;
            ended.swap(end);
            target = port;
        }
        target->WatcherEnded(*ended);
    }

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
    if (QCoreApplication::instance() && m_channel->wakeFd >= 0) {
        m_notifier = new QSocketNotifier(m_channel->wakeFd, QSocketNotifier::Read);
        QObject::connect(m_notifier, &QSocketNotifier::activated, [channel = m_channel] {
            uint64_t rings = 0;
            [[maybe_unused]] auto got = ::read(channel->wakeFd, &rings, sizeof rings);
            // An error from a handler still leaves through here, but not before the end is told.
            try {
                channel->Service(true);
            } catch (...) {
                channel->ServiceEnd();
                throw;
            }
            channel->ServiceEnd();
        });
    }
    m_device.setEventMask(m_eventMask); // a failure leaves a watcher that sees no events
    m_thread = std::thread([this] { Execute(); });
}

TComThread::~TComThread() {
    Channel& ch = *m_channel;
    bool nested;
    {
        std::lock_guard lock(ch.mutex);
        ch.stop = true;
        // Running means we are inside one of the port's handlers on this very thread (Close
        // called from a handler): the watcher must not wait for that handler to finish.
        if (ch.state == Channel::State::Running)
            ch.abandoned = true;
        nested = ch.abandoned;
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
    {
        std::lock_guard lock(ch.mutex);
        ch.port = nullptr;
    }
    if (m_notifier) {
        // Inside the notifier's own handler it must not be deleted at once.
        m_notifier->setEnabled(false);
        if (nested)
            m_notifier->deleteLater();
        else
            delete m_notifier;
    }
}

bool TComThread::Ended() const {
    std::lock_guard lock(m_channel->mutex);
    return m_channel->finished;
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
        if (result.status == platform::WaitStatus::Failed) {
            // Unplugged or broken: the GUI thread learns why, so it can say so and try again.
            std::lock_guard lock(ch.mutex);
            if (!ch.stop) {
                ch.end = TWatchEnd{WatchEndReasonOf(result.error), result.error, tick};
                const uint64_t ring = 1;
                [[maybe_unused]] auto put = ::write(ch.wakeFd, &ring, sizeof ring);
            }
            break;
        }
        if (result.status != platform::WaitStatus::Events)
            break; // stopped
        if (result.events.empty())
            continue;
        std::unique_lock lock(ch.mutex);
        if (ch.stop)
            break;
        ch.batch.clear();
        for (const auto& event : result.events)
            ch.batch.push_back({event, tick});
        ch.state = Channel::State::Pending;
        const uint64_t ring = 1;
        [[maybe_unused]] auto put = ::write(ch.wakeFd, &ring, sizeof ring);
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
