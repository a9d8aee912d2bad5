// The files that make Vantro a desktop program: the desktop entry, the AppStream metadata, the
// icons and the files beside the program. The validators run when they are installed.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace {

const QString DesktopDir = QStringLiteral(VANTRO_DESKTOP_DIR);
const QString AppId = QStringLiteral(VANTRO_APP_ID);

QString desktopFile() {
    return DesktopDir + QLatin1Char('/') + AppId + QStringLiteral(".desktop");
}

QString metainfoFile() {
    return DesktopDir + QLatin1Char('/') + AppId + QStringLiteral(".metainfo.xml");
}

/// Runs `program` with `args`; its exit code and everything it printed.
std::pair<int, QString> run(const QString& program, const QStringList& args) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    if (!p.waitForFinished(60000))
        return {-1, QStringLiteral("did not finish")};
    return {p.exitCode(), QString::fromUtf8(p.readAll())};
}

QString desktopValue(const QString& key) {
    QFile f(desktopFile());
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    for (const QString& line : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'))) {
        if (line.startsWith(key + QLatin1Char('=')))
            return line.mid(key.size() + 1);
    }
    return QString();
}

} // namespace

TEST(DesktopFiles, DesktopEntryPassesDesktopFileValidate) {
    const QString validator = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    if (validator.isEmpty())
        GTEST_SKIP() << "desktop-file-validate (desktop-file-utils) is not installed";
    const auto [code, output] = run(validator, {desktopFile()});
    EXPECT_EQ(code, 0) << output.toStdString();
    EXPECT_TRUE(output.trimmed().isEmpty()) << output.toStdString();
}

TEST(DesktopFiles, MetainfoPassesAppstreamValidation) {
    const QString validator = QStandardPaths::findExecutable(QStringLiteral("appstreamcli"));
    if (validator.isEmpty())
        GTEST_SKIP() << "appstreamcli (appstream) is not installed";
    const auto [code, output] =
        run(validator, {QStringLiteral("validate"), QStringLiteral("--no-net"), metainfoFile()});
    EXPECT_EQ(code, 0) << output.toStdString();
}

TEST(DesktopFiles, EntryStartsTheProgramWithTheInstalledIconAndGermanTexts) {
    EXPECT_EQ(desktopValue(QStringLiteral("Exec")), QStringLiteral(VANTRO_PROGRAM_NAME));
    EXPECT_EQ(desktopValue(QStringLiteral("Icon")), QStringLiteral("vantro"));
    EXPECT_TRUE(desktopValue(QStringLiteral("Comment")).contains(QStringLiteral("Zeitmessung")));
    EXPECT_TRUE(
        desktopValue(QStringLiteral("Categories")).split(QLatin1Char(';')).contains(QStringLiteral("Clock")));

    QFile meta(metainfoFile());
    ASSERT_TRUE(meta.open(QIODevice::ReadOnly));
    const QString xml = QString::fromUtf8(meta.readAll());
    EXPECT_TRUE(xml.contains(QStringLiteral("<id>") + AppId + QStringLiteral("</id>")));
    EXPECT_TRUE(xml.contains(QStringLiteral(">") + AppId + QStringLiteral(".desktop</launchable>")));
    EXPECT_TRUE(xml.contains(QStringLiteral("<binary>" VANTRO_PROGRAM_NAME "</binary>")));
}

TEST(DesktopFiles, IconsHaveTheirThemeSizes) {
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QImage icon(DesktopDir + QStringLiteral("/icons/vantro-%1.png").arg(size));
        ASSERT_FALSE(icon.isNull()) << size;
        EXPECT_EQ(icon.size(), QSize(size, size));
        EXPECT_TRUE(icon.hasAlphaChannel()) << size;
    }
    EXPECT_TRUE(QFileInfo::exists(DesktopDir + QStringLiteral("/icons/vantro.svg")));
}

TEST(DesktopFiles, HelpPageAndDefaultDocumentLieBesideTheBuiltProgram) {
    const QString program = QStringLiteral(VANTRO_PROGRAM_FILE);
    const QString base =
        QFileInfo(program).absolutePath() + QLatin1Char('/') + QFileInfo(program).completeBaseName();
    QFile help(base + QStringLiteral(".html"));
    ASSERT_TRUE(help.open(QIODevice::ReadOnly)) << help.fileName().toStdString();
    const QString page = QString::fromUtf8(help.readAll());
    EXPECT_TRUE(page.contains(QStringLiteral("lang=\"de\"")));
    for (const char* topic :
         {"Lichtschranke", "Verdrahtung", "Einstellungen", "Protokollbefehle", "Simulator"})
        EXPECT_TRUE(page.contains(QString::fromUtf8(topic))) << topic;
    EXPECT_TRUE(QFileInfo(base + QStringLiteral(".doc")).isFile());
}
