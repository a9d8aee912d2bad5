// A kart slalom of 30 drivers in 4 age classes driven through the real program and the simulated
// light barrier (START, LAP and STOP are passes; RESET is the key): start list with
// years of birth, the class table, a training run first, best 2 of 3 with the worst dropped,
// penalties entered in the results window, a team ranking and the day's honours, all checked
// against a ranking worked out here without the program's ranking code.
#include "app/results/EventDocument.h"
#include "app/results/ResultsWindow.h"
#include "app/results/RunsTableModel.h"
#include "app/window/TFormMain.h"
#include "serial/SerialDevice.h"
#include "serial/SerialPortNames.h"
#include "serial/SerialSimServer.h"
#include "serial/TComPort.h"
#include "settings/Registry.h"
#include "testing/FakeClock.h"
#include "testing/FakeDialogs.h"

#include <QApplication>
#include <QLineEdit>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

using namespace platform;

namespace {

constexpr int Drivers = 30;
const char* const Clubs[3] = {"MSC Au", "AC Berg", "RG Tal"};
const char* const Classes[4] = {"K1", "K2", "K3", "K4"};
const int FirstYear[4] = {2016, 2014, 2012, 2009};

int classOf(int n) {
    return n % 4;
}
int yearOf(int n) {
    return FirstYear[classOf(n)] + (n / 4) % 2;
}

// Run k (1 = training, 2..4 timed) of driver n: time, pylons, gates; -1 ms: RESET without STOP.
struct Drive {
    int ms, cones, gates;
};
Drive driveOf(int n, int k) {
    if (k == 1)
        return {20000, 0, 0}; // fast, but training never counts
    if ((n == 5 && k == 3) || (n == 13 && k >= 3))
        return {-1, 0, 0};
    const int offsets[3] = {0, 700, 1500};
    const int base = n == 6 ? 2 : n; // 2 and 6: the same times, a tie
    return {30000 + (base * 37 % 13) * 250 + offsets[(base + k) % 3], (base + k) % 4 == 0 ? 1 : 0,
            base % 10 == 0 && k == 4 ? 1 : 0};
}

struct Expected {
    int number;
    int64_t result; // -1: no full result
};

} // namespace

TEST(KartSlalom, ThirtyDriversInFourClassesRankAsWorkedOutByHand) {
    platform::FakeClock clock{1000, QDateTime(QDate(2026, 6, 13), QTime(9, 0))};
    platform::FakeDialogs dialogs;
    QTemporaryDir dir;
    const QString socket = dir.filePath(QStringLiteral("lbsim.sock"));
    SerialSimServer barrier;
    ASSERT_EQ(barrier.start(socket.toStdString()), 0);
    {
        Registry registry;
        ASSERT_TRUE(
            registry.OpenKey(QStringLiteral("\\Software\\") + QCoreApplication::applicationName(), true));
        registry.WriteInteger(QStringLiteral("Port"), 20);
        registry.WriteString(QStringLiteral("ComDevice20"), socket);
    }
    const auto forgetPort = qScopeGuard([] { clearComDeviceOverrides(); });
    TFormMain form;
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    ASSERT_TRUE(form.ComPort->Connected());
    ASSERT_TRUE(barrier.waitForClient(3000));
    // One pass: DSR on until the window has written the action's protocol line, then off again.
    const auto pass = [&] {
        const qsizetype before = form.ProtocolLines().size();
        barrier.setLines(MS_DSR_ON, true);
        const bool acted = QTest::qWaitFor([&] { return form.ProtocolLines().size() > before; }, 5000);
        barrier.setLines(MS_DSR_ON, false);
        return acted && QTest::qWaitFor([&] { return (form.LastModemStatus() & MS_DSR_ON) == 0; }, 5000);
    };
    EventDocument& event = *form.Event();
    ASSERT_FALSE(event.ensureEvent(QDate(2026, 6, 13)));
    QList<Competitor> list;
    for (int n = 1; n <= Drivers; ++n) {
        Competitor c;
        c.startNumber = n;
        c.firstName = QStringLiteral("Vorname%1").arg(n);
        c.lastName = QStringLiteral("Fahrer%1").arg(n);
        c.club = QString::fromLatin1(Clubs[n % 3]);
        c.yearOfBirth = yearOf(n);
        c.sex = n % 2 ? Sex::Female : Sex::Male;
        list << c;
    }
    event.importCompetitors(list, "kart.csv");
    EventRules rules;
    rules.scoring = Scoring::SumBestN;
    rules.bestN = 2;
    rules.firstRunIsTraining = true;
    for (int c = 0; c < 4; ++c)
        rules.classTable << ClassBand{QString::fromLatin1(Classes[c]), FirstYear[c], FirstYear[c] + 1};
    rules.teams.enabled = true;
    rules.teams.maxMembers = 3;
    event.model()->setRules(rules);

    // Four rounds through the start list: after RESET the program proposes the next driver.
    form.seStartN->setValue(1);
    for (int k = 1; k <= 4; ++k)
        for (int n = 1; n <= Drivers; ++n) {
            ASSERT_EQ(form.seStartN->value(), n);
            const Drive d = driveOf(n, k);
            ASSERT_TRUE(pass()) << "START of " << n;
            clock.advance(d.ms < 0 ? 3000 : uint32_t(d.ms - 1000));
            ASSERT_TRUE(pass()) << "LAP of " << n;
            if (d.ms >= 0) {
                clock.advance(1000);
                ASSERT_TRUE(pass()) << "STOP of " << n;
            }
            form.bRESET->setFocus();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
            clock.advance(30000);
        }
    ASSERT_EQ(event.model()->data().runs.size(), 4 * Drivers);

    // The penalties, entered in the results window's runs table.
    form.bResultsClick(nullptr);
    RunsTableModel& runs = *form.Results()->runsModel;
    ASSERT_TRUE(event.waitForWrites(5000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return event.upToDate(); }, 3000));
    ASSERT_EQ(runs.rowCount(), 4 * Drivers);
    for (int row = 0; row < runs.rowCount(); ++row) {
        const RunRecord* r = event.model()->run(runs.runId(row));
        const Drive d = driveOf(r->startNumber, r->runNumber);
        if (d.cones) {
            ASSERT_TRUE(runs.setData(runs.index(row, RunsTableModel::Cones), d.cones));
        }
        if (d.gates) {
            ASSERT_TRUE(runs.setData(runs.index(row, RunsTableModel::Gates), d.gates));
        }
    }
    ASSERT_TRUE(event.waitForWrites(5000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return event.upToDate(); }, 3000));

    // Worked out by hand: per driver the timed runs plus 2 s a pylon and 10 s a gate, the best two
    // added; a DNF is the dropped run; with two DNFs there is no full result.
    std::map<int, std::vector<Expected>> byClass;
    std::map<int, int64_t> resultOf;
    for (int n = 1; n <= Drivers; ++n) {
        std::vector<int64_t> timed;
        for (int k = 2; k <= 4; ++k) {
            const Drive d = driveOf(n, k);
            if (d.ms >= 0)
                timed.push_back(d.ms + d.cones * 2000 + d.gates * 10000);
        }
        std::sort(timed.begin(), timed.end());
        const int64_t result = timed.size() >= 2 ? timed[0] + timed[1] : -1;
        resultOf[n] = result;
        byClass[classOf(n)].push_back({n, result});
    }
    const Standings& s = event.standings();
    ASSERT_EQ(s.classes.size(), 4);
    for (int c = 0; c < 4; ++c) {
        std::vector<Expected> expected = byClass[c];
        std::stable_sort(expected.begin(), expected.end(), [](const Expected& a, const Expected& b) {
            if ((a.result < 0) != (b.result < 0))
                return b.result < 0;
            return a.result < b.result;
        });
        const ClassRanking& ranking = s.classes[c];
        EXPECT_EQ(ranking.className, QString::fromLatin1(Classes[c]));
        ASSERT_EQ(ranking.rows.size(), qsizetype(expected.size()));
        for (size_t i = 0; i < expected.size(); ++i) {
            const StandingRow& row = ranking.rows[qsizetype(i)];
            if (expected[i].result < 0) {
                EXPECT_EQ(row.kind, ResultKind::Partial) << row.competitor.startNumber;
                continue;
            }
            // Equal results share a place; the next place is skipped.
            int place = 1;
            for (const Expected& e : expected)
                place += e.result >= 0 && e.result < expected[i].result ? 1 : 0;
            EXPECT_EQ(row.resultMs, expected[i].result) << "class " << c << " line " << i;
            EXPECT_EQ(row.place, place) << row.competitor.startNumber;
            EXPECT_EQ(row.runs.size(), 4);
            EXPECT_TRUE(row.runs[0].training);
            EXPECT_EQ(
                std::count_if(row.runs.begin(), row.runs.end(), [](const RunCell& r) { return r.dropped; }),
                1);
        }
    }
    const StandingRow* two = nullptr;
    const StandingRow* six = nullptr;
    for (const StandingRow& r : s.overall) {
        two = r.competitor.startNumber == 2 ? &r : two;
        six = r.competitor.startNumber == 6 ? &r : six;
    }
    ASSERT_TRUE(two && six);
    EXPECT_EQ(two->classPlace, six->classPlace) << "the tie shares a place";

    // Teams: the best three full results of each club, added.
    std::map<QString, std::vector<int64_t>> clubResults;
    for (int n = 1; n <= Drivers; ++n)
        if (resultOf[n] >= 0)
            clubResults[QString::fromLatin1(Clubs[n % 3])].push_back(resultOf[n]);
    std::vector<std::pair<int64_t, QString>> teams;
    for (auto& [club, results] : clubResults) {
        std::sort(results.begin(), results.end());
        teams.emplace_back(results[0] + results[1] + results[2], club);
    }
    std::sort(teams.begin(), teams.end());
    ASSERT_EQ(s.teams.size(), 3);
    for (size_t i = 0; i < teams.size(); ++i) {
        EXPECT_EQ(s.teams[qsizetype(i)].club, teams[i].second);
        EXPECT_EQ(s.teams[qsizetype(i)].result, teams[i].first);
    }

    // Honours: the fastest girl (odd numbers) and boy (even numbers) by full result.
    auto fastest = [&](int parity) {
        int64_t best = -1;
        QList<int> who;
        for (int n = 1; n <= Drivers; ++n) {
            if (n % 2 != parity || resultOf[n] < 0)
                continue;
            if (best < 0 || resultOf[n] < best) {
                best = resultOf[n];
                who = {n};
            } else if (resultOf[n] == best) {
                who << n;
            }
        }
        return who;
    };
    EXPECT_EQ(s.honours.fastestGirl, fastest(1));
    EXPECT_EQ(s.honours.fastestBoy, fastest(0));
}
