#include "LiveTestEvent.h"
#include "LiveWait.h"
#include "app/live/SpectatorWindow.h"
#include "controls/DigitGeometry.h"
#include "controls/TDigit.h"
#include "live/LiveSnapshotBuilder.h"
#include "testing/FakeClock.h"

#include <QDir>
#include <QRegularExpression>
#include <QTest>

#include <gtest/gtest.h>

using namespace livetest;

namespace {

EventData threeClasses() {
    EventData e = generatedEvent(3, 12, 1);
    e.competitors[0].firstName = QStringLiteral("Anna-Katharina");
    e.competitors[0].lastName = QStringLiteral("Müller-Lüdenscheidt");
    return e;
}

std::shared_ptr<const LiveSnapshot> snapshot(const EventData& e, LiveRunState run, uint64_t seq = 1) {
    return std::make_shared<const LiveSnapshot>(makeLiveSnapshot(e, run, 2, seq));
}

bool inside(const QRect& r, QSize s) {
    return QRect(QPoint(0, 0), s).contains(r);
}

} // namespace

TEST(SpectatorLayout, TimeIsLargeAndEverythingFitsOnCommonScreens) {
    for (const QSize size : {QSize(1920, 1080), QSize(1280, 720), QSize(1024, 768), QSize(3840, 2160),
                             QSize(1366, 768), QSize(1080, 1920), QSize(800, 600), QSize(640, 360)}) {
        for (int digits : {3, 4, 5}) {
            SCOPED_TRACE(QStringLiteral("%1x%2, %3 digits")
                             .arg(size.width())
                             .arg(size.height())
                             .arg(digits)
                             .toStdString());
            const SpectatorGeometry g = spectatorGeometry(size, digits);
            ASSERT_EQ(g.digits.size(), digits);
            ASSERT_EQ(g.rows.size(), 10);
            for (qsizetype i = 0; i < g.digits.size(); ++i) {
                EXPECT_GE(g.digits[i].height() * 12, size.height());
                EXPECT_TRUE(inside(g.digits[i], size));
                if (i > 0) {
                    EXPECT_GT(g.digits[i].left(), g.digits[i - 1].right());
                }
            }
            const QRect clock = g.digits.first().united(g.digits.last());
            EXPECT_EQ(g.comma.isEmpty(), digits == 3);
            if (digits > 3) { // between the ones and the tenths, on the baseline
                EXPECT_TRUE(g.comma.left() > g.digits[2].right() && g.comma.right() < g.digits[3].left() &&
                            g.comma.bottom() == g.digits[2].bottom());
            }
            const QList<QRect> parts = {
                clock,     g.competitor, g.competitorClass, g.lastTitle,
                g.lastWho, g.lastResult, g.tableTitle,      g.rows.first().united(g.rows.last())};
            for (qsizetype i = 0; i < parts.size(); ++i) {
                EXPECT_TRUE(inside(parts[i], size)) << i;
                for (qsizetype j = i + 1; j < parts.size(); ++j)
                    EXPECT_FALSE(parts[i].intersects(parts[j])) << i << " " << j;
            }
            // The table and the competitor readable from afar too.
            const int shorter = std::min(size.width(), size.height());
            EXPECT_GE(g.rowPx * 30, shorter);
            EXPECT_GE(g.competitorPx * 20, shorter);
            EXPECT_LE(g.rowPx, g.rows.first().height());
        }
    }
    // On a TV the time takes most of the left half.
    const SpectatorGeometry tv = spectatorGeometry(QSize(1920, 1080), 5);
    EXPECT_GE(tv.digits.first().height(), 1080 / 4);
}

TEST(SpectatorContent, ShowsTheClassOfTheCompetitorOnTrackAndStepsThroughClassesWhenIdle) {
    const EventData e = threeClasses();
    const int inB = 14; // the second class starts at number 13
    const SpectatorContent running = spectatorContent(*snapshot(e, {LivePhase::Running, inB, {}, 500, 0}), 3);
    EXPECT_EQ(running.phase, LivePhase::Running);
    EXPECT_EQ(running.startTick, 500u);
    EXPECT_TRUE(running.competitor.startsWith(QStringLiteral("14  ")));
    EXPECT_EQ(running.competitorClass, QStringLiteral("Klasse B"));
    EXPECT_EQ(running.tableTitle, QStringLiteral("Klasse B"));
    ASSERT_EQ(running.rows.size(), 10);
    EXPECT_EQ(running.rows[0].place, QStringLiteral("1."));
    EXPECT_EQ(std::count_if(running.rows.begin(), running.rows.end(),
                            [](const SpectatorRow& r) { return r.highlighted; }),
              running.rows.end() !=
                      std::find_if(running.rows.begin(), running.rows.end(),
                                   [&](const SpectatorRow& r) { return r.number == QStringLiteral("14"); })
                  ? 1
                  : 0);
    // The last run: no. 36 (class C) drove last.
    EXPECT_TRUE(running.lastWho.startsWith(QStringLiteral("36  "))) << qPrintable(running.lastWho);
    EXPECT_TRUE(running.lastResult.contains(QRegularExpression(QStringLiteral("^\\d+,\\d\\d   Platz \\d+$"))))
        << qPrintable(running.lastResult);

    // Nobody on track: first the class of the one who drove last, then one class after another.
    QStringList titles;
    for (int step = 0; step < 4; ++step)
        titles << spectatorContent(*snapshot(e, {}), step).tableTitle;
    EXPECT_EQ(titles, QStringList({"Klasse C", "Klasse B", "Klasse C", "Klasse A"}));
    const SpectatorContent finished =
        spectatorContent(*snapshot(e, {LivePhase::Finished, 2, {}, 0, 41230}), 0);
    EXPECT_EQ(finished.finalTimeMs, 41230);
    EXPECT_EQ(finished.tableTitle, QStringLiteral("Klasse A"));
    // An empty event shows an empty table.
    EXPECT_TRUE(spectatorContent(LiveSnapshot{}, 5).rows.isEmpty());
}

TEST(SpectatorWindow, CountsTheRunningTimeOnTheDigitsAndHoldsTheFinalTime) {
    platform::FakeClock clock(10000);
    SpectatorWindow window;
    window.resize(1280, 720);
    window.show();
    const EventData e = threeClasses();
    window.setSnapshot(snapshot(e, {LivePhase::Running, 3, {}, 10000, 0}, 1));
    clock.advance(12345);
    EXPECT_TRUE(waitFor([&] { return window.shownTimeMs() == 12345; })) << window.shownTimeMs();
    const QList<TDigit*> digits = window.findChildren<TDigit*>();
    ASSERT_EQ(digits.size(), 5);
    // 012,34: the hundreds dark, then 1, 2, 3, 4.
    EXPECT_EQ(digits[0]->ValueBinary(), 0);
    EXPECT_EQ(digits[1]->ValueBinary(), DigitPattern(1));
    EXPECT_EQ(digits[2]->ValueBinary(), DigitPattern(2));
    EXPECT_EQ(digits[4]->ValueBinary(), DigitPattern(4));
    EXPECT_GE(digits[0]->height() * 12, window.height());

    window.setSnapshot(snapshot(e, {LivePhase::Finished, 3, {}, 0, 43120}, 2));
    clock.advance(5000);
    QTest::qWait(3 * SpectatorWindow::ClockMs); // the clock no longer counts
    EXPECT_EQ(window.shownTimeMs(), 43120);
    window.setSnapshot(snapshot(e, {}, 3));
    EXPECT_EQ(window.shownTimeMs(), 0);
}

TEST(SpectatorWindow, EscLeavesFullScreen) {
    SpectatorWindow window;
    window.showFullScreenOn(nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_TRUE(window.isFullScreen());
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_FALSE(window.isFullScreen());
    QTest::keyClick(&window, Qt::Key_F11);
    EXPECT_TRUE(window.isFullScreen());
}

TEST(SpectatorWindow, DrawsAtFullHd) {
    platform::FakeClock clock(100000);
    SpectatorWindow window;
    window.resize(1920, 1080);
    window.show();
    window.setSnapshot(snapshot(threeClasses(), {LivePhase::Running, 1, {}, 100000 - 37420, 0}));
    QTest::qWait(2 * SpectatorWindow::ClockMs);
    const QImage shot = window.grab().toImage();
    ASSERT_EQ(shot.size(), QSize(1920, 1080));
    // Lit segments (yellow) in the clock, white text in the table, black elsewhere.
    const QRect seg = window.geometryInUse().digits[2];
    int yellow = 0;
    for (int y = seg.top(); y <= seg.bottom(); y += 4)
        for (int x = seg.left(); x <= seg.right(); x += 4)
            yellow += shot.pixelColor(x, y) == QColor(255, 255, 0);
    EXPECT_GT(yellow, 50);
    EXPECT_EQ(shot.pixelColor(2, 2), QColor(Qt::black));
    if (const QByteArray dir = qgetenv("VANTRO_SCREENSHOT_DIR"); !dir.isEmpty())
        shot.save(QDir(QString::fromLocal8Bit(dir)).filePath(QStringLiteral("spectator-1920x1080.png")));
}
