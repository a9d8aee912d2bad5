#pragma once

#include <QFile>
#include <QString>

#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

/// A FIFO for tests of readers that must not wait for a writer. Should a reader wait all the same,
/// a writer opens the FIFO after a while, so the test fails instead of hanging.
class RescuedFifo {
public:
    /// Makes the FIFO at `path`; `made()` tells whether that worked.
    explicit RescuedFifo(const QString& path) : m_path(QFile::encodeName(path)) {
        m_made = ::mkfifo(m_path.constData(), 0600) == 0;
        if (m_made)
            m_rescue = std::thread([this] { rescue(); });
    }
    ~RescuedFifo() { stop(); }
    RescuedFifo(const RescuedFifo&) = delete;
    RescuedFifo& operator=(const RescuedFifo&) = delete;

    bool made() const { return m_made; }
    /// Ends the rescue, once the reader has returned.
    void stop() {
        m_stop = true;
        if (m_rescue.joinable())
            m_rescue.join();
    }

private:
    void rescue() {
        for (int i = 0; i < 300 && !m_stop; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            const int fd = ::open(m_path.constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) {
                ::close(fd);
                return;
            }
        }
    }

    QByteArray m_path;
    bool m_made = false;
    std::atomic<bool> m_stop{false};
    std::thread m_rescue;
};
