#include "serial/SerialDevice.h"

#include "serial/SerialPortNames.h"
#include "serial/SerialSimDevice.h"
#include "serial/SerialTtyDevice.h"

#include <cerrno>
#include <mutex>
#include <sys/stat.h>

namespace platform {

namespace {

std::mutex g_factoryMutex;
SerialDeviceFactory g_factory;

// Resolves the port name at open and hands every call to the tty or the simulator behind it.
class SystemSerialDevice : public SerialDevice {
public:
    int open(const std::string& name) override {
        if (m_impl)
            return EBUSY;
        const std::string path = comPortPath(name);
        if (path.empty())
            return ENOENT;
        struct stat st {};
        if (::stat(path.c_str(), &st) != 0)
            return errno;
        if (S_ISSOCK(st.st_mode)) {
            auto sim = std::make_unique<SerialSimDevice>();
            if (const int error = sim->openPath(path))
                return error;
            m_impl = std::move(sim);
        } else {
            auto tty = std::make_unique<SerialTtyDevice>();
            if (const int error = tty->openPath(path))
                return error;
            m_impl = std::move(tty);
        }
        return 0;
    }
    int setState(const SerialDcb& dcb) override { return m_impl ? m_impl->setState(dcb) : EBADF; }
    int getTimeouts(SerialTimeouts& t) override { return m_impl ? m_impl->getTimeouts(t) : EBADF; }
    int setTimeouts(const SerialTimeouts& t) override { return m_impl ? m_impl->setTimeouts(t) : EBADF; }
    int setupQueues(uint32_t in, uint32_t out) override {
        return m_impl ? m_impl->setupQueues(in, out) : EBADF;
    }
    int setEventMask(uint32_t mask) override { return m_impl ? m_impl->setEventMask(mask) : EBADF; }
    WaitResult waitEvent() override {
        return m_impl ? m_impl->waitEvent() : WaitResult{WaitStatus::Failed, EBADF, {}};
    }
    void cancelWait() override {
        if (m_impl)
            m_impl->cancelWait();
    }
    int modemStatus(uint32_t& status) override { return m_impl ? m_impl->modemStatus(status) : EBADF; }
    int purge(uint32_t flags) override { return m_impl ? m_impl->purge(flags) : EBADF; }
    int clearError(uint32_t& errors, uint32_t& inQueue) override {
        return m_impl ? m_impl->clearError(errors, inQueue) : EBADF;
    }
    void close() override {
        if (m_impl)
            m_impl->close();
    }

private:
    std::unique_ptr<SerialDevice> m_impl;
};

} // namespace

std::unique_ptr<SerialDevice> createSystemSerialDevice() {
    return std::make_unique<SystemSerialDevice>();
}

std::unique_ptr<SerialDevice> createSerialDevice() {
    SerialDeviceFactory factory;
    {
        std::lock_guard lock(g_factoryMutex);
        factory = g_factory;
    }
    return factory ? factory() : createSystemSerialDevice();
}

void setSerialDeviceFactory(SerialDeviceFactory factory) {
    std::lock_guard lock(g_factoryMutex);
    g_factory = std::move(factory);
}

} // namespace platform
