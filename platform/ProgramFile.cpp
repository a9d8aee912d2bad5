#include "platform/ProgramFile.h"

#include <QCoreApplication>

namespace platform {

namespace {
QString g_fakePath;
} // namespace

QString programFilePath() {
    return g_fakePath.isEmpty() ? QCoreApplication::applicationFilePath() : g_fakePath;
}

FakeProgramFile::FakeProgramFile(const QString& path) {
    g_fakePath = path;
}

FakeProgramFile::~FakeProgramFile() {
    g_fakePath.clear();
}

} // namespace platform
