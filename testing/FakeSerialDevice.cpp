#include "testing/FakeSerialDevice.h"

#include "serial/SerialModemChanges.h"

#include <cerrno>
#include <chrono>

namespace platform {

void FakeSerialLine::setFailure(SerialCall call, int code) {
    std::lock_guard lock(m_mutex);
    if (code)
        m_failures[call] = code;
    else
        m_failures.erase(call);
    m_cv.notify_all();
}

void FakeSerialLine::setModemStatus(uint32_t status) {
    std::lock_guard lock(m_mutex);
    m_status = status;
}

void FakeSerialLine::changeLines(uint32_t status) {
    std::unique_lock lock(m_mutex);
    const uint32_t before = m_status;
    const uint32_t diff = before ^ status;
    ModemLineCounts counts;
    counts.cts = (diff & MS_CTS_ON) ? 1 : 0;
    counts.dsr = (diff & MS_DSR_ON) ? 1 : 0;
    counts.ring = (diff & MS_RING_ON) ? 1 : 0;
    counts.rlsd = (diff & MS_RLSD_ON) ? 1 : 0;
    m_status = status;
    auto events = expandModemChanges(before, status, counts, m_eventMask);
    lock.unlock();
    queue(std::move(events));
}

void FakeSerialLine::pulse(uint32_t line, uint32_t count) {
    std::unique_lock lock(m_mutex);
    const uint32_t before = m_status;
    const uint32_t after = (count % 2) ? (before ^ line) : before;
    ModemLineCounts counts;
    if (line & MS_CTS_ON)
        counts.cts = count;
    if (line & MS_DSR_ON)
        counts.dsr = count;
    if (line & MS_RING_ON)
        counts.ring = count;
    if (line & MS_RLSD_ON)
        counts.rlsd = count;
    m_status = after;
    auto events = expandModemChanges(before, after, counts, m_eventMask);
    lock.unlock();
    queue(std::move(events));
}

void FakeSerialLine::raise(uint32_t mask, uint32_t status) {
    std::unique_lock lock(m_mutex);
    m_status = status;
    const uint32_t filtered = mask & m_eventMask;
    lock.unlock();
    if (filtered)
        queue({SerialEvent{filtered, status}});
}

void FakeSerialLine::setInQueue(uint32_t bytes) {
    std::lock_guard lock(m_mutex);
    m_inQueue = bytes;
}

void FakeSerialLine::queue(std::vector<SerialEvent> events) {
    if (events.empty())
        return;
    std::lock_guard lock(m_mutex);
    m_wakeups.push_back(std::move(events));
    m_cv.notify_all();
}

bool FakeSerialLine::waitUntilWaiting(int timeoutMs) {
    std::unique_lock lock(m_mutex);
    return m_cv.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                         [this] { return m_waiting > 0 && m_wakeups.empty(); });
}

bool FakeSerialLine::waitUntilTaken(int timeoutMs) {
    std::unique_lock lock(m_mutex);
    return m_cv.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return m_wakeups.empty(); });
}

std::string FakeSerialLine::openedName() const {
    std::lock_guard lock(m_mutex);
    return m_openedName;
}

SerialDcb FakeSerialLine::dcb() const {
    std::lock_guard lock(m_mutex);
    return m_dcb;
}

SerialTimeouts FakeSerialLine::timeouts() const {
    std::lock_guard lock(m_mutex);
    return m_timeouts;
}

std::pair<uint32_t, uint32_t> FakeSerialLine::queues() const {
    std::lock_guard lock(m_mutex);
    return {m_inQueueSize, m_outQueueSize};
}

uint32_t FakeSerialLine::eventMask() const {
    std::lock_guard lock(m_mutex);
    return m_eventMask;
}

uint32_t FakeSerialLine::modemStatus() const {
    std::lock_guard lock(m_mutex);
    return m_status;
}

std::vector<std::string> FakeSerialLine::log() const {
    std::lock_guard lock(m_mutex);
    return m_log;
}

int FakeSerialLine::waitCalls() const {
    std::lock_guard lock(m_mutex);
    return m_waitCalls;
}

int FakeSerialLine::openDevices() const {
    std::lock_guard lock(m_mutex);
    return m_open;
}

int FakeSerialLine::callsAfterClose() const {
    std::lock_guard lock(m_mutex);
    return m_callsAfterClose;
}

int FakeSerialLine::enter(const char* what, SerialCall call, bool isOpen) {
    std::lock_guard lock(m_mutex);
    m_log.emplace_back(what);
    if (!isOpen) {
        ++m_callsAfterClose;
        return EBADF;
    }
    auto it = m_failures.find(call);
    return it == m_failures.end() ? 0 : it->second;
}

int FakeSerialLine::enter(const char* what, bool isOpen) {
    std::lock_guard lock(m_mutex);
    m_log.emplace_back(what);
    if (!isOpen) {
        ++m_callsAfterClose;
        return EBADF;
    }
    return 0;
}

int FakeSerialLine::open(const std::string& name) {
    std::lock_guard lock(m_mutex);
    m_log.push_back("open " + name);
    m_openedName = name;
    auto it = m_failures.find(SerialCall::Open);
    if (it != m_failures.end())
        return it->second;
    if (m_open > 0)
        return EBUSY; // ports are opened exclusively
    ++m_open;
    return 0;
}

void FakeSerialLine::closed() {
    std::lock_guard lock(m_mutex);
    m_log.emplace_back("close");
    --m_open;
}

void FakeSerialLine::store(const SerialDcb& dcb) {
    std::lock_guard lock(m_mutex);
    m_dcb = dcb;
}

void FakeSerialLine::store(const SerialTimeouts& timeouts) {
    std::lock_guard lock(m_mutex);
    m_timeouts = timeouts;
}

void FakeSerialLine::storeQueues(uint32_t in, uint32_t out) {
    std::lock_guard lock(m_mutex);
    m_inQueueSize = in;
    m_outQueueSize = out;
}

void FakeSerialLine::storeMask(uint32_t mask) {
    std::lock_guard lock(m_mutex);
    m_eventMask = mask;
}

uint32_t FakeSerialLine::inQueue() const {
    std::lock_guard lock(m_mutex);
    return m_inQueue;
}

WaitResult FakeSerialLine::wait(const std::atomic<bool>& cancelled) {
    std::unique_lock lock(m_mutex);
    ++m_waitCalls;
    ++m_waiting;
    m_cv.notify_all();
    WaitResult result;
    m_cv.wait(lock,
              [&] { return cancelled.load() || !m_wakeups.empty() || m_failures.count(SerialCall::Wait); });
    --m_waiting;
    if (cancelled.load()) {
        result.status = WaitStatus::Cancelled;
    } else if (auto it = m_failures.find(SerialCall::Wait); it != m_failures.end()) {
        result.status = WaitStatus::Failed;
        result.error = it->second;
    } else {
        result.status = WaitStatus::Events;
        result.events = std::move(m_wakeups.front());
        m_wakeups.pop_front();
    }
    m_cv.notify_all();
    return result;
}

void FakeSerialLine::wakeAll() {
    std::lock_guard lock(m_mutex);
    m_cv.notify_all();
}

FakeSerialDevice::FakeSerialDevice(std::shared_ptr<FakeSerialLine> line) : m_line(std::move(line)) {}

FakeSerialDevice::~FakeSerialDevice() {
    close();
}

int FakeSerialDevice::open(const std::string& name) {
    if (m_open.load())
        return EBUSY;
    const int error = m_line->open(name);
    if (!error)
        m_open.store(true);
    return error;
}

int FakeSerialDevice::setState(const SerialDcb& dcb) {
    const int error = m_line->enter("setState", SerialCall::SetState, m_open.load());
    if (!error)
        m_line->store(dcb);
    return error;
}

int FakeSerialDevice::getTimeouts(SerialTimeouts& timeouts) {
    const int error = m_line->enter("getTimeouts", SerialCall::GetTimeouts, m_open.load());
    if (!error)
        timeouts = m_line->timeouts();
    return error;
}

int FakeSerialDevice::setTimeouts(const SerialTimeouts& timeouts) {
    const int error = m_line->enter("setTimeouts", SerialCall::SetTimeouts, m_open.load());
    if (!error)
        m_line->store(timeouts);
    return error;
}

int FakeSerialDevice::setupQueues(uint32_t inQueue, uint32_t outQueue) {
    const int error = m_line->enter("setupQueues", SerialCall::SetupQueues, m_open.load());
    if (!error)
        m_line->storeQueues(inQueue, outQueue);
    return error;
}

int FakeSerialDevice::setEventMask(uint32_t mask) {
    const int error = m_line->enter("setEventMask", SerialCall::SetEventMask, m_open.load());
    if (!error)
        m_line->storeMask(mask);
    return error;
}

WaitResult FakeSerialDevice::waitEvent() {
    if (m_line->enter("wait", m_open.load()))
        return {WaitStatus::Failed, EBADF, {}};
    return m_line->wait(m_cancelled);
}

void FakeSerialDevice::cancelWait() {
    m_cancelled.store(true);
    m_line->wakeAll();
}

int FakeSerialDevice::modemStatus(uint32_t& status) {
    const int error = m_line->enter("modemStatus", SerialCall::ModemStatus, m_open.load());
    if (!error)
        status = m_line->modemStatus();
    return error;
}

int FakeSerialDevice::purge(uint32_t flags) {
    return m_line->enter(("purge " + std::to_string(flags)).c_str(), m_open.load());
}

int FakeSerialDevice::clearError(uint32_t& errors, uint32_t& inQueue) {
    const int error = m_line->enter("clearError", m_open.load());
    if (!error) {
        errors = 0;
        inQueue = m_line->inQueue();
    }
    return error;
}

void FakeSerialDevice::close() {
    if (m_open.exchange(false))
        m_line->closed();
}

FakeSerial::FakeSerial() : m_line(std::make_shared<FakeSerialLine>()) {
    auto line = m_line;
    setSerialDeviceFactory([line] { return std::make_unique<FakeSerialDevice>(line); });
}

FakeSerial::~FakeSerial() {
    setSerialDeviceFactory({});
}

} // namespace platform
