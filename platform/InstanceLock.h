#pragma once

#include <QString>

namespace platform {

/// An advisory lock on a file that marks one running instance of the program per settings file.
/// The system drops it when the process ends, however it ends, so a crashed instance never blocks
/// the next one.
class InstanceLock {
public:
    /// A lock on `fileName` (created, with its folder, when first taken), not yet taken.
    explicit InstanceLock(QString fileName);
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;
    /// Releases the lock.
    ~InstanceLock();

    /// Takes the lock unless another process holds it; true while this object holds it.
    bool TryAcquire();

    /// True while this object holds the lock.
    bool Held() const { return m_fd >= 0; }

private:
    QString m_fileName;
    int m_fd = -1;
};

} // namespace platform
