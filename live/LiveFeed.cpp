#include "live/LiveFeed.h"

#include "live/LiveSnapshotBuilder.h"

LiveFeed::LiveFeed(QObject* parent) : QObject(parent), m_snapshot(std::make_shared<const LiveSnapshot>()) {
    qRegisterMetaType<std::shared_ptr<const LiveSnapshot>>();
    // A plain thread, as the writer's and the journal's: everything it shares with the window goes
    // through m_mutex, and its end is a join.
    m_thread = std::thread([this] { run(); });
}

LiveFeed::~LiveFeed() {
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

void LiveFeed::setEvent(const EventData& event) {
    {
        std::lock_guard lock(m_mutex);
        m_event = event;
    }
    schedule();
}

void LiveFeed::setRun(const LiveRunState& run) {
    {
        std::lock_guard lock(m_mutex);
        if (m_run == run)
            return;
        m_run = run;
    }
    schedule();
}

void LiveFeed::setResolution(int resolution) {
    {
        std::lock_guard lock(m_mutex);
        if (m_resolution == resolution)
            return;
        m_resolution = resolution;
    }
    schedule();
}

void LiveFeed::schedule() {
    {
        std::lock_guard lock(m_mutex);
        if (m_scheduled)
            return;
        m_scheduled = true;
    }
    m_wake.notify_one();
}

void LiveFeed::run() {
    for (;;) {
        EventData event;
        LiveRunState run;
        int resolution = 2;
        uint64_t sequence = 0;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return m_stop || m_scheduled; });
            if (m_stop)
                return;
            m_scheduled = false;
            event = m_event;
            run = m_run;
            resolution = m_resolution;
            sequence = ++m_sequence;
        }
        auto snapshot =
            std::make_shared<const LiveSnapshot>(makeLiveSnapshot(event, run, resolution, sequence));
        {
            std::lock_guard lock(m_mutex);
            m_snapshot = snapshot;
        }
        emit snapshotReady(snapshot);
    }
}

std::shared_ptr<const LiveSnapshot> LiveFeed::snapshot() const {
    std::lock_guard lock(m_mutex);
    return m_snapshot;
}
