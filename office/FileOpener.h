#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace platform {

/// Opens a file with the desktop's default application for its type.
class FileOpener {
public:
    virtual ~FileOpener() = default;
    /// Asks the desktop to open `path`; false when it refused.
    virtual bool OpenFile(const QString& path) = 0;
};

/// The real opener: the desktop's launcher program.
class DesktopFileOpener : public FileOpener {
public:
    /// An opener that hands files to `launcher`, a program on the path or with its folder.
    explicit DesktopFileOpener(QString launcher = QStringLiteral("xdg-open"));
    /// False when the launcher is missing, cannot be started or gives up within a moment (no
    /// program for the file's type, no browser); a launcher still busy after that counts as done.
    bool OpenFile(const QString& path) override;

private:
    QString m_launcher;
};

/// Receives a file that was written but could not be shown because the opener refused it.
using NotShownHandler = std::function<void(const QString& path)>;

/// Installs `handler` for the files that could not be shown; an empty one drops them.
void setNotShownHandler(NotShownHandler handler);

/// Opens `path`, a file just written for the operator to see, with `fileOpener()`; when that fails
/// the path goes to the not-shown handler. Returns whether it was opened.
bool ShowWrittenFile(const QString& path);

/// The opener in force: the desktop's unless a test installed another.
FileOpener& fileOpener();

/// Installs `o` as the opener in force; nullptr restores the desktop's. The caller keeps ownership.
void setFileOpener(FileOpener* o);

} // namespace platform
