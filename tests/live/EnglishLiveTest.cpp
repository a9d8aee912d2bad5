// The live results' windows in English: the "Live-Ergebnisse" window (off, and on with its address)
// and the spectator screen show no German text of ours; a German walk first finds German.
#include "LiveTestEvent.h"
#include "app/live/LiveServerWindow.h"
#include "app/live/SpectatorContent.h"
#include "app/live/SpectatorWindow.h"
#include "live/LiveServer.h"
#include "live/LiveSnapshotBuilder.h"
#include "tests/support/WidgetTexts.h"

#include <QTcpServer>
#include <QTest>

#include <gtest/gtest.h>

using namespace livetest;
using testsupport::germanTexts;
using testsupport::ScopedLanguage;
using testsupport::widgetTexts;

namespace {

// The texts of the live window switched off, then on at a free port with one address, and of the
// spectator screen.
QStringList liveTexts(const QString& language) {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    LiveServer server;
    LiveServerWindow window(server);
    window.setListenAddress(QHostAddress::LocalHost);
    window.setAddressSource([] { return QList<QHostAddress>{QHostAddress("192.168.2.17")}; });
    QStringList texts = widgetTexts(&window);
    window.setChoice(true, port);
    texts << widgetTexts(&window) << window.statusText();
    testsupport::saveScreenshots(window, "live-" + language);
    SpectatorWindow spectator;
    spectator.resize(1280, 720);
    EventData e = generatedEvent(2, 6, 1);
    spectator.setSnapshot(std::make_shared<const LiveSnapshot>(
        makeLiveSnapshot(e, {LivePhase::Finished, 3, {}, 0, 41230}, 2, 1)));
    testsupport::saveScreenshots(spectator, "spectator-" + language);
    spectator.setSnapshot(std::make_shared<const LiveSnapshot>(makeLiveSnapshot(EventData{}, {}, 2, 2)));
    testsupport::saveScreenshots(spectator, "spectator-empty-" + language);
    texts << widgetTexts(&spectator);
    return texts;
}

} // namespace

TEST(EnglishLive, TheLiveWindowAndTheSpectatorScreenShowNoGermanText) {
    EXPECT_GE(germanTexts(liveTexts("de")).size(), 4);
    ScopedLanguage english(platform::Language::English);
    ASSERT_TRUE(english.installed()) << "vantro_en.qm not built";
    EXPECT_EQ(germanTexts(liveTexts("en")).join(" | ").toStdString(), "");
}

TEST(EnglishLive, TheSpectatorsAndThePhonesSeeClassesPlacesAndRemarksInEnglish) {
    ScopedLanguage english(platform::Language::English);
    ASSERT_TRUE(english.installed()) << "vantro_en.qm not built";
    EventData e;
    e.competitors = {competitor(1, "Anna", "Berg", "A"), competitor(2, "Ben", "Cord", "")};
    run(e, 1, 40000, 2, 1);
    run(e, 2, 41000);
    const LiveSnapshot s = makeLiveSnapshot(e, {LivePhase::Running, 1, {}, 500, 0}, 2, 1);
    const SpectatorContent c = spectatorContent(s, 0);
    EXPECT_EQ(c.competitorClass, "Class A");
    EXPECT_TRUE(c.lastResult.endsWith("   Place 1")) << qPrintable(c.lastResult);
    QStringList titles;
    for (const LiveClass& k : s.classes)
        titles << k.title;
    EXPECT_EQ(titles, QStringList({"Class A", "no class"}));
    ASSERT_FALSE(s.runs.isEmpty());
    EXPECT_EQ(s.runs.last().remark, "2 cones, 1 gate");
    EXPECT_EQ(
        liveStartErrorText({LiveStartResult::Error::PortInUse, {}}, 8080),
        "Port 8080 is already in use (another program uses it). Please choose another port, e.g. 8081.");
}
