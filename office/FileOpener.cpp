#include "office/FileOpener.h"

#include <QCoreApplication>
#include <QProcess>
#include <QStandardPaths>

namespace platform {

namespace {
// A launcher that finds no program gives up at once; one that found it may stay until the program
// ends, so it is waited for only this long.
constexpr int kLauncherVerdictMs = 1500;

NotShownHandler g_notShown;
} // namespace

DesktopFileOpener::DesktopFileOpener(QString launcher) : m_launcher(std::move(launcher)) {}

bool DesktopFileOpener::OpenFile(const QString& path) {
    const QString program = QStandardPaths::findExecutable(m_launcher);
    if (program.isEmpty())
        return false;
    // Owned by the application so that a launcher still running is not killed with this call.
    auto* launcher = new QProcess(QCoreApplication::instance());
    QObject::connect(launcher, &QProcess::finished, launcher, &QObject::deleteLater);
    QObject::connect(launcher, &QProcess::errorOccurred, launcher, [launcher](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            launcher->deleteLater();
    });
    launcher->setStandardOutputFile(QProcess::nullDevice());
    launcher->setStandardErrorFile(QProcess::nullDevice());
    launcher->start(program, {path});
    if (!launcher->waitForStarted())
        return false;
    if (!launcher->waitForFinished(kLauncherVerdictMs))
        return true;
    return launcher->exitStatus() == QProcess::NormalExit && launcher->exitCode() == 0;
}

void setNotShownHandler(NotShownHandler handler) {
    g_notShown = std::move(handler);
}

bool ShowWrittenFile(const QString& path) {
    if (fileOpener().OpenFile(path))
        return true;
    if (g_notShown)
        g_notShown(path);
    return false;
}

namespace {
FileOpener* g_installed = nullptr;
} // namespace

FileOpener& fileOpener() {
    static DesktopFileOpener desktop;
    return g_installed ? *g_installed : desktop;
}

void setFileOpener(FileOpener* o) {
    g_installed = o;
}

} // namespace platform
