// The desktop opener's verdict, with small scripts standing in for the desktop's launcher.
#include "office/FileOpener.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using platform::DesktopFileOpener;

namespace {

QString launcher(const QTemporaryDir& dir, const QString& name, const QByteArray& body) {
    const QString path = QDir(dir.path()).filePath(name);
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("#!/bin/sh\n" + body + "\n");
    f.close();
    f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return path;
}

} // namespace

TEST(DesktopFileOpener, ALauncherThatGivesUpOrIsMissingIsAFailure) {
    QTemporaryDir dir;
    const QString seen = QDir(dir.path()).filePath("seen");
    EXPECT_TRUE(
        DesktopFileOpener(launcher(dir, "opens", "echo \"$1\" > " + seen.toUtf8())).OpenFile("/d/a.html"));
    QFile record(seen);
    ASSERT_TRUE(record.open(QIODevice::ReadOnly));
    EXPECT_EQ(record.readAll(), "/d/a.html\n");

    // No browser for the page: the launcher ends with an error at once.
    EXPECT_FALSE(DesktopFileOpener(launcher(dir, "nobrowser", "exit 3")).OpenFile("/d/a.html"));
    EXPECT_FALSE(DesktopFileOpener(QDir(dir.path()).filePath("missing")).OpenFile("/d/a.html"));
    // A program kept open in front by the launcher: it was started.
    EXPECT_TRUE(DesktopFileOpener(launcher(dir, "stays", "sleep 3")).OpenFile("/d/a.html"));
}
