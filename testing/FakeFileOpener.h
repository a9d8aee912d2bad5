#pragma once

#include "office/FileOpener.h"

#include <QStringList>

namespace platform {

/// An opener that launches nothing and records what it was asked to open. Installs itself while
/// it lives.
class FakeFileOpener : public FileOpener {
public:
    /// Installs the fake as the opener in force.
    FakeFileOpener();
    /// Restores the desktop opener.
    ~FakeFileOpener() override;
    FakeFileOpener(const FakeFileOpener&) = delete;
    FakeFileOpener& operator=(const FakeFileOpener&) = delete;

    bool OpenFile(const QString& path) override;

    /// Every path asked for so far, oldest first.
    const QStringList& Opened() const { return m_opened; }
    /// What `OpenFile` answers (true unless a test wants a refusal).
    void setResult(bool ok) { m_result = ok; }

private:
    QStringList m_opened;
    bool m_result = true;
};

} // namespace platform
