#pragma once

#include "event/EventSink.h"
#include "event/EventWriteItem.h"
#include "event/StoreError.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

/// Commits the event's records on a worker thread, in the order they were handed over, so the
/// GUI thread never waits on the disk. A commit that fails keeps its records queued in memory and
/// is tried again, after a growing pause, until writing works again; nothing handed over is lost
/// while the program runs.
///
/// The callbacks run on the worker thread; a window hands them to its own thread
/// (QMetaObject::invokeMethod) before it shows anything. Assign them before the first hand-over.
class EventWriter {
public:
    /// Writes into `sink`, which must outlive the writer and is used only by its worker.
    explicit EventWriter(EventSink& sink);
    /// Tries once more to commit what is queued, then ends the worker.
    ~EventWriter();
    EventWriter(const EventWriter&) = delete;
    EventWriter& operator=(const EventWriter&) = delete;

    /// Queues one record; returns its sequence number (1, 2, ...). Costs a lock and a move.
    uint64_t enqueue(EventWriteItem item);

    /// The pauses between tries after a failure: `first`, doubling up to `longest`.
    void setBackOff(std::chrono::milliseconds first, std::chrono::milliseconds longest);

    /// Waits until everything handed over is committed; false if that did not happen within
    /// `timeout` (writing fails, or is slow). For tests and for closing an event.
    bool waitForIdle(std::chrono::milliseconds timeout);

    /// Ends the current pause after a failure and tries again at once.
    void retryNow();

    /// The sequence number up to which everything is committed.
    uint64_t committed() const;

    /// The sequence number of the last record handed over.
    uint64_t enqueued() const;

    /// Records waiting to be committed.
    size_t pending() const;

    /// Called when a commit fails after the last one succeeded (once per spell of failures).
    std::function<void(const StoreError&)> OnWriteFailed;
    /// Called when a commit succeeds again after failures.
    std::function<void()> OnWriteRecovered;
    /// Called after every commit with the sequence number committed up to.
    std::function<void(uint64_t)> OnCommitted;

private:
    void run();

    EventSink& m_sink;
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    std::deque<EventWriteItem> m_queue;
    uint64_t m_enqueued = 0;
    uint64_t m_committed = 0;
    bool m_writing = false;
    bool m_failing = false;
    bool m_stop = false;
    bool m_retryNow = false;
    std::chrono::milliseconds m_firstBackOff{50};
    std::chrono::milliseconds m_longestBackOff{2000};
    std::thread m_thread;
};
