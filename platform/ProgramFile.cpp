#include "platform/ProgramFile.h"

#include <QCoreApplication>

namespace platform {

namespace {
QString g_fakePath;
} // namespace

QString programFilePath() {
    return g_fakePath.isEmpty() ? QCoreApplication::applicationFilePath() : g_fakePath;
}

void setProgramFilePath(const QString& path) {
    g_fakePath = path;
}

} // namespace platform
