#include "live/LiveFeed.h"

#include "live/LiveSnapshotBuilder.h"

LiveFeed::LiveFeed(QObject* parent) : QObject(parent), m_snapshot(std::make_shared<const LiveSnapshot>()) {
    qRegisterMetaType<std::shared_ptr<const LiveSnapshot>>();
    m_worker = new QObject;
    m_worker->moveToThread(&m_thread);
    connect(&m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
    // Connected once, before the thread starts: each request then hands over nothing that this
    // thread wrote and the feed's thread reads.
    connect(
        this, &LiveFeed::buildRequested, m_worker, [this] { build(); }, Qt::QueuedConnection);
    m_thread.setObjectName(QStringLiteral("live snapshots"));
    m_thread.start();
}

LiveFeed::~LiveFeed() {
    m_thread.quit();
    m_thread.wait();
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
    emit buildRequested();
}

void LiveFeed::build() {
    EventData event;
    LiveRunState run;
    int resolution = 2;
    uint64_t sequence = 0;
    {
        std::lock_guard lock(m_mutex);
        m_scheduled = false;
        event = m_event;
        run = m_run;
        resolution = m_resolution;
        sequence = ++m_sequence;
    }
    auto snapshot = std::make_shared<const LiveSnapshot>(makeLiveSnapshot(event, run, resolution, sequence));
    {
        std::lock_guard lock(m_mutex);
        m_snapshot = snapshot;
    }
    emit snapshotReady(snapshot);
}

std::shared_ptr<const LiveSnapshot> LiveFeed::snapshot() const {
    std::lock_guard lock(m_mutex);
    return m_snapshot;
}
