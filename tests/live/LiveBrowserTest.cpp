// The live page in a real browser: headless Chromium loads it from the server, runs its script and
// hands back the document as it then stands. Skipped only where Chromium is not installed (the
// set-up script installs it for the tests).
#include "LiveTestEvent.h"
#include "live/LiveServer.h"
#include "live/LiveSnapshotBuilder.h"
#include "testing/FakeClock.h"
#include "tests/support/WidgetTexts.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace livetest;

namespace {

QString chromiumProgram() {
    for (const char* name : {"chromium", "chromium-browser"})
        if (const QString path = QStandardPaths::findExecutable(QString::fromLatin1(name)); !path.isEmpty())
            return path;
    return {};
}

// The page's document after its script ran, or why there is none.
QString renderedDom(const QString& chromium, const QString& url, QString* error) {
    QTemporaryDir profile;
    QProcess browser;
    browser.setProgram(chromium);
    browser.setArguments(
        {QStringLiteral("--headless"), QStringLiteral("--no-sandbox"), QStringLiteral("--disable-gpu"),
         QStringLiteral("--user-data-dir=") + profile.path(), QStringLiteral("--no-first-run"),
         // Nothing but the test's own server: no lookups, no background traffic.
         QStringLiteral("--host-resolver-rules=MAP * ~NOTFOUND, EXCLUDE 127.0.0.1"),
         QStringLiteral("--disable-background-networking"), QStringLiteral("--disable-component-update"),
         QStringLiteral("--disable-sync"), QStringLiteral("--virtual-time-budget=4000"),
         QStringLiteral("--dump-dom"), url});
    browser.start();
    if (!browser.waitForFinished(90000)) {
        browser.kill();
        browser.waitForFinished();
        *error = QStringLiteral("Chromium did not finish");
        return {};
    }
    const QString dom = QString::fromUtf8(browser.readAllStandardOutput());
    if (dom.isEmpty())
        *error = QString::fromUtf8(browser.readAllStandardError()).right(2000);
    return dom;
}

// With VANTRO_SCREENSHOT_DIR set, the page as a phone shows it goes there as a picture.
void screenshot(const QString& chromium, const QString& url, const QString& name) {
    const QString dir = qEnvironmentVariable("VANTRO_SCREENSHOT_DIR");
    if (dir.isEmpty())
        return;
    QTemporaryDir profile;
    QProcess browser;
    browser.start(chromium,
                  {QStringLiteral("--headless"), QStringLiteral("--no-sandbox"),
                   QStringLiteral("--disable-gpu"), QStringLiteral("--user-data-dir=") + profile.path(),
                   QStringLiteral("--no-first-run"),
                   QStringLiteral("--host-resolver-rules=MAP * ~NOTFOUND, EXCLUDE 127.0.0.1"),
                   QStringLiteral("--hide-scrollbars"), QStringLiteral("--window-size=412,800"),
                   QStringLiteral("--virtual-time-budget=4000"),
                   QStringLiteral("--screenshot=%1/%2.png").arg(dir, name), url});
    if (!browser.waitForFinished(90000)) {
        browser.kill();
        browser.waitForFinished();
    }
}

} // namespace

TEST(LiveBrowser, EventTextsShowAsTextNeverAsMarkup) {
    const QString chromium = chromiumProgram();
    if (chromium.isEmpty())
        GTEST_SKIP() << "Chromium is not installed";

    const QString script = QStringLiteral("<script>alert(1)</script>");
    const QString img = QStringLiteral("\"><img src=x onerror=alert(1)>");
    EventData e;
    e.info = {script, QDate(2026, 6, 13), img};
    e.competitors = {competitor(1, script, QString(), QStringLiteral("A")),
                     competitor(2, img, QString(), QStringLiteral("A"), script),
                     competitor(3, QStringLiteral("Max"), QStringLiteral("Muster"), img)};
    run(e, 1, 41000, 1);
    run(e, 2, 40000);
    run(e, 3, 39000);
    platform::FakeClock clock(100000);
    LiveServer server;
    server.setSnapshot(std::make_shared<const LiveSnapshot>(
        makeLiveSnapshot(e, {LivePhase::Running, 2, QString(), 99000, 0}, 2, 1)));
    ASSERT_TRUE(server.start(0, QHostAddress::LocalHost).ok());

    QString error;
    const QString dom =
        renderedDom(chromium, QStringLiteral("http://127.0.0.1:%1/").arg(server.port()), &error);
    ASSERT_FALSE(dom.isEmpty()) << qPrintable(error);
    // The script ran and drew the results.
    EXPECT_TRUE(dom.contains(QStringLiteral("data-first-render-ms=")));
    EXPECT_TRUE(dom.contains(QStringLiteral("Max Muster")));
    // Both names stand as text: in the ranking, in the list of runs, on the track, in the heading.
    const QString scriptText = QStringLiteral("&lt;script&gt;alert(1)&lt;/script&gt;");
    const QString imgText = QStringLiteral("\"&gt;&lt;img src=x onerror=alert(1)&gt;");
    EXPECT_GE(dom.count(scriptText), 4) << qPrintable(dom);
    EXPECT_GE(dom.count(imgText), 4) << qPrintable(dom);
    EXPECT_TRUE(dom.contains(QStringLiteral("<h1 id=\"event\">") + scriptText + QStringLiteral("</h1>")));
    // No element came from them: one script (the page's own), no image, no stray markup.
    EXPECT_EQ(dom.count(QStringLiteral("<script")), 1);
    EXPECT_FALSE(dom.contains(QStringLiteral("<img")));
    EXPECT_FALSE(dom.contains(QStringLiteral("onerror=alert(1)>")));
    EXPECT_FALSE(dom.contains(QStringLiteral("<script>alert")));
}

TEST(LiveBrowser, ThePageSpeaksTheProgramsLanguage) {
    const QString chromium = chromiumProgram();
    if (chromium.isEmpty())
        GTEST_SKIP() << "Chromium is not installed";
    testsupport::ScopedLanguage english(platform::Language::English);
    ASSERT_TRUE(english.installed()) << "vantro_en.qm not built";

    EventData e;
    e.competitors = {competitor(1, QStringLiteral("Anna"), QStringLiteral("Berg"), QStringLiteral("A")),
                     competitor(2, QStringLiteral("Ben"), QStringLiteral("Cord"), QStringLiteral("A"))};
    run(e, 1, 41000, 1);
    platform::FakeClock clock(100000);
    LiveServer server;
    server.setSnapshot(std::make_shared<const LiveSnapshot>(
        makeLiveSnapshot(e, {LivePhase::Finished, 1, QString(), 0, 41000}, 2, 1)));
    ASSERT_TRUE(server.start(0, QHostAddress::LocalHost).ok());

    QString error;
    const QString dom =
        renderedDom(chromium, QStringLiteral("http://127.0.0.1:%1/").arg(server.port()), &error);
    ASSERT_FALSE(dom.isEmpty()) << qPrintable(error);
    ASSERT_TRUE(dom.contains(QStringLiteral("data-first-render-ms="))) << "the script ran";
    // Written by the page (heading), by the script (run, place) and by the server (class title).
    for (const char* text : {"<html lang=\"en\"", ">Latest runs<", ">Class A<", "Run 1", "Place 1 in Class A",
                             "Class A (2)", "1 cone"})
        EXPECT_TRUE(dom.contains(QString::fromUtf8(text))) << text << "\n" << qPrintable(dom);
    screenshot(chromium, QStringLiteral("http://127.0.0.1:%1/").arg(server.port()),
               QStringLiteral("livepage-en"));
    // Beside the texts handed to the script, keyed by their German wording, nothing German is left.
    QString shown = dom;
    shown.remove(QRegularExpression(QStringLiteral("data-texts=\"[^\"]*\"")));
    for (const char* text : {"Klasse", "Lauf", "Platz", "Pylone", "Strecke"})
        EXPECT_FALSE(shown.contains(QString::fromUtf8(text))) << text << "\n" << qPrintable(shown);
}
