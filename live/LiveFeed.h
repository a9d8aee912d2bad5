#pragma once

#include "event/EventData.h"
#include "live/LiveSnapshot.h"

#include <QObject>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

Q_DECLARE_METATYPE(std::shared_ptr<const LiveSnapshot>)

/// Makes the snapshots of the live results. The timing window hands over the event after each
/// change and the run on the track at START, STOP and RESET; the snapshot is made on a thread of
/// the feed's own, so the window never waits for the ranking. Changes that come faster than
/// snapshots are made are merged into the next one.
class LiveFeed : public QObject {
    Q_OBJECT

public:
    explicit LiveFeed(QObject* parent = nullptr);
    /// Ends the feed's thread.
    ~LiveFeed() override;

    /// The event as it is now. Costs a copy of shared lists.
    void setEvent(const EventData& event);
    /// The run on the track as it is now.
    void setRun(const LiveRunState& run);
    /// Decimals of the times shown (2 hundredths, 1 tenths, 0 seconds).
    void setResolution(int resolution);

    /// The last snapshot made (never null; empty before the first).
    std::shared_ptr<const LiveSnapshot> snapshot() const;

signals:
    /// A new snapshot. Emitted on the feed's thread: a server takes it with a direct connection
    /// (its setSnapshot is thread-safe), a window with the default connection (queued to it).
    void snapshotReady(std::shared_ptr<const LiveSnapshot> snapshot);

private:
    void schedule();
    void run(); // the feed's thread

    mutable std::mutex m_mutex;
    EventData m_event;
    LiveRunState m_run;
    int m_resolution = 2;
    uint64_t m_sequence = 0;
    bool m_scheduled = false;
    bool m_stop = false;
    std::condition_variable m_wake;
    std::shared_ptr<const LiveSnapshot> m_snapshot;
    std::thread m_thread; // last: started once everything above is made
};
