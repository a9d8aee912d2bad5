#include "event/EventWriter.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {
// One transaction holds at most this many records, so a long queue after a failure is written
// in steps and the first records are safe early.
constexpr size_t MaxBatch = 1000;
} // namespace

EventWriter::EventWriter(EventSink& sink) : m_sink(sink), m_thread([this] { run(); }) {}

EventWriter::~EventWriter() {
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

uint64_t EventWriter::enqueue(EventWriteItem item) {
    uint64_t sequence;
    {
        std::lock_guard lock(m_mutex);
        m_queue.push_back(std::move(item));
        sequence = ++m_enqueued;
    }
    m_wake.notify_one();
    return sequence;
}

void EventWriter::setBackOff(std::chrono::milliseconds first, std::chrono::milliseconds longest) {
    std::lock_guard lock(m_mutex);
    m_firstBackOff = first;
    m_longestBackOff = std::max(first, longest);
}

bool EventWriter::waitForIdle(std::chrono::milliseconds timeout) {
    std::unique_lock lock(m_mutex);
    return m_idle.wait_for(lock, timeout, [this] { return m_queue.empty() && !m_writing; });
}

void EventWriter::retryNow() {
    {
        std::lock_guard lock(m_mutex);
        m_retryNow = true;
    }
    m_wake.notify_all();
}

uint64_t EventWriter::committed() const {
    std::lock_guard lock(m_mutex);
    return m_committed;
}

uint64_t EventWriter::enqueued() const {
    std::lock_guard lock(m_mutex);
    return m_enqueued;
}

size_t EventWriter::pending() const {
    std::lock_guard lock(m_mutex);
    return m_queue.size();
}

void EventWriter::run() {
    std::unique_lock lock(m_mutex);
    std::chrono::milliseconds backOff = m_firstBackOff;
    for (;;) {
        m_wake.wait(lock, [this] { return m_stop || !m_queue.empty(); });
        if (m_queue.empty())
            return;
        // The records stay queued until their commit succeeded: a failed one is tried again.
        const size_t count = std::min(m_queue.size(), MaxBatch);
        std::vector<EventWriteItem> batch(m_queue.begin(), m_queue.begin() + ptrdiff_t(count));
        m_writing = true;
        lock.unlock();
        const StoreError error = m_sink.write(batch);
        lock.lock();
        if (!error) {
            m_queue.erase(m_queue.begin(), m_queue.begin() + ptrdiff_t(count));
            m_committed += count;
            const uint64_t upTo = m_committed;
            const bool recovered = std::exchange(m_failing, false);
            backOff = m_firstBackOff;
            lock.unlock();
            if (recovered && OnWriteRecovered)
                OnWriteRecovered();
            if (OnCommitted)
                OnCommitted(upTo);
            lock.lock();
            // Idle only once the commit has been reported: a waiter may rely on the reports.
            m_writing = false;
            m_idle.notify_all();
            continue;
        }
        m_writing = false;
        const bool firstFailure = !std::exchange(m_failing, true);
        if (firstFailure && OnWriteFailed) {
            lock.unlock();
            OnWriteFailed(error);
            lock.lock();
        }
        if (m_stop)
            return;
        m_wake.wait_for(lock, backOff, [this] { return m_stop || m_retryNow; });
        m_retryNow = false;
        backOff = std::min(backOff * 2, m_longestBackOff);
    }
}
