#pragma once

#include <QString>
#include <QStringList>

namespace platform {

/// Opens a file with the desktop's default application for its type.
class FileOpener {
public:
    virtual ~FileOpener() = default;
    /// Asks the desktop to open `path`; false when it refused.
    virtual bool OpenFile(const QString& path) = 0;
};

/// The real opener: `QDesktopServices`.
class DesktopFileOpener : public FileOpener {
public:
    bool OpenFile(const QString& path) override;
};

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

/// The opener in force: the desktop's unless a test installed another.
FileOpener& fileOpener();

/// Installs `o` as the opener in force; nullptr restores the desktop's. The caller keeps ownership.
void setFileOpener(FileOpener* o);

} // namespace platform
