#include "platform/InstanceLock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace platform {

InstanceLock::InstanceLock(QString fileName) : m_fileName(std::move(fileName)) {}

InstanceLock::~InstanceLock() {
    if (m_fd >= 0)
        ::close(m_fd);
}

bool InstanceLock::TryAcquire() {
    if (m_fd >= 0)
        return true;
    QDir().mkpath(QFileInfo(m_fileName).absolutePath());
    const QByteArray path = QFile::encodeName(m_fileName);
    // Non-blocking open: whatever sits under the name, the program must not wait for it.
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    m_fd = fd;
    return true;
}

} // namespace platform
