#include "platform/FileOpener.h"

#include <QDesktopServices>
#include <QUrl>

namespace platform {

bool DesktopFileOpener::OpenFile(const QString& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

FakeFileOpener::FakeFileOpener() {
    setFileOpener(this);
}

FakeFileOpener::~FakeFileOpener() {
    setFileOpener(nullptr);
}

bool FakeFileOpener::OpenFile(const QString& path) {
    m_opened.append(path);
    return m_result;
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
