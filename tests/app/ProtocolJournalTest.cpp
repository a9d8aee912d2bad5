#include "app/journal/ProtocolJournal.h"
#include "app/journal/JournalFormat.h"
#include "testing/FakeClock.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace platform;

namespace {

QList<JournalRecord> readRecords(const QString& path) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    QList<JournalRecord> records;
    for (const QByteArray& line : f.readAll().split('\n')) {
        if (line.isEmpty())
            continue;
        const auto r = ParseJournalLine(line);
        EXPECT_TRUE(r.has_value()) << line.constData();
        if (r)
            records.append(*r);
    }
    return records;
}

QString kinds(const QList<JournalRecord>& records) {
    QString s;
    for (const JournalRecord& r : records)
        s += QChar::fromLatin1(char(r.kind));
    return s;
}

} // namespace

TEST(ProtocolJournal, LinesAndPassesReachTheDayFileInOrderAndACleanCloseMarksIt) {
    QTemporaryDir dir;
    FakeClock clock{1000, QDateTime(QDate(2026, 12, 8), QTime(9, 0))};
    {
        ProtocolJournal journal(dir.path());
        ASSERT_EQ(journal.Begin({{"Who", "Time", "Speed", "Note"}, {"earlier", "", "", ""}}), QString());
        journal.Edge(1000, EdgeOutcome::Start);
        journal.Line({"  Nr.:", "1", "Anna", ""});
        journal.Line({"Start:", "  0,00", "", "9:00.00"});
        journal.Edge(1003, EdgeOutcome::IgnoredDeadTime);
        journal.Flush();
        const QString path = dir.filePath("journal-2026-12-08.log");
        EXPECT_EQ(kinds(readRecords(path)), "HOGLLELLE") << "everything on disk after Flush";
        JournalReplay open = journal.Previous();
        EXPECT_FALSE(open.closed);
        EXPECT_EQ(open.lines.size(), 3);
        EXPECT_EQ(open.edges, 2);
    }
    const QList<JournalRecord> records = readRecords(dir.filePath("journal-2026-12-08.log"));
    EXPECT_EQ(kinds(records), "HOGLLELLEZ");
    EXPECT_EQ(records[5].tick, 1000u);
    EXPECT_EQ(records[6].line.speed, "Anna");
    EXPECT_EQ(records[8].outcome, EdgeOutcome::IgnoredDeadTime);

    // The next session appends to the same day's file.
    ProtocolJournal again(dir.path());
    ASSERT_EQ(again.Lock(), QString());
    EXPECT_TRUE(again.Previous().closed);
    ASSERT_EQ(again.Begin({}), QString());
    again.Close();
    EXPECT_EQ(kinds(readRecords(dir.filePath("journal-2026-12-08.log"))), "HOGLLELLEZOGZ");
}

TEST(ProtocolJournal, ANewDayStartsANewFileThatHoldsTheWholeProtocol) {
    QTemporaryDir dir;
    FakeClock clock{1000, QDateTime(QDate(2026, 12, 8), QTime(23, 59, 59))};
    // A journal past its keeping time and one within it.
    for (const char* name : {"journal-2026-11-07.log", "journal-2026-11-10.log"}) {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    ProtocolJournal journal(dir.path());
    ASSERT_EQ(journal.Begin({{"Who", "Time", "Speed", "Note"}, {}}), QString());
    EXPECT_FALSE(QFile::exists(dir.filePath("journal-2026-11-07.log"))) << "older than 30 days";
    EXPECT_TRUE(QFile::exists(dir.filePath("journal-2026-11-10.log")));
    journal.Line({"before", "", "", ""});
    clock.setNow(QDateTime(QDate(2026, 12, 9), QTime(0, 0, 1)));
    journal.Line({"after", "", "", ""});
    journal.Flush();
    const QList<JournalRecord> day2 = readRecords(dir.filePath("journal-2026-12-09.log"));
    EXPECT_EQ(kinds(day2), "HRGLLL");
    EXPECT_EQ(journal.Previous().lines, (QList<ProtocolLine>{{"before", "", "", ""}, {"after", "", "", ""}}));
    journal.Close();
    EXPECT_EQ(kinds(readRecords(dir.filePath("journal-2026-12-08.log"))), "HOGLLL");
}

TEST(ProtocolJournal, AFolderThatCannotBeWrittenGivesOneClearMessage) {
    QTemporaryDir dir;
    QFile blocker(dir.filePath("file"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    ProtocolJournal journal(dir.filePath("file/vantro"));
    const QString error = journal.Begin({});
    EXPECT_TRUE(error.contains(dir.filePath("file/vantro"))) << error.toStdString();
    EXPECT_TRUE(error.contains("Zeitnahme l\u00e4uft weiter")) << error.toStdString();
    EXPECT_FALSE(journal.Active());
    journal.Line({"x", "", "", ""}); // quietly nothing
    journal.Flush();
}

TEST(ProtocolJournal, OnlyOneProgramWritesAFolder) {
    QTemporaryDir dir;
    ProtocolJournal first(dir.path());
    ASSERT_EQ(first.Begin({}), QString());
    ProtocolJournal second(dir.path());
    EXPECT_TRUE(second.Lock().contains("anderes Vantro-Fenster"));
    first.Close();
    EXPECT_EQ(second.Lock(), QString());
    EXPECT_TRUE(second.Previous().closed);
}

TEST(ProtocolJournal, AFileLeftWithATornLineGetsItsNextRecordsOnALineOfTheirOwn) {
    QTemporaryDir dir;
    FakeClock clock{1000, QDateTime(QDate(2026, 12, 8), QTime(9, 0))};
    const QString path = dir.filePath("journal-2026-12-08.log");
    {
        ProtocolJournal journal(dir.path());
        ASSERT_EQ(journal.Begin({}), QString());
        journal.Line({"kept", "", "", ""});
        journal.Flush();
    } // closed: Z
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::Append));
        JournalRecord open;
        open.kind = JournalKind::Open;
        open.at = clock.localDateTime();
        f.write(FormatJournalLine(open).left(12));
    }
    ProtocolJournal journal(dir.path());
    ASSERT_EQ(journal.Begin({{"Who", "Time", "Speed", "Note"}, {"new", "", "", ""}}), QString());
    journal.Flush();
    const JournalReplay replay = journal.Previous();
    EXPECT_EQ(replay.damaged, 1);
    EXPECT_EQ(replay.lines, (QList<ProtocolLine>{{"new", "", "", ""}}));
}

TEST(ProtocolJournal, ANewDaysFileWhoseSnapshotWasCutOffLeavesTheProtocolOfTheDayBefore) {
    QTemporaryDir dir;
    FakeClock clock{1000, QDateTime(QDate(2026, 12, 9), QTime(9, 0))};
    auto write = [&](const char* name, const QList<JournalRecord>& records, qsizetype cut) {
        QByteArray bytes;
        for (const JournalRecord& r : records)
            bytes += FormatJournalLine(r);
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes.left(bytes.size() - cut));
    };
    auto rec = [&](JournalKind kind, int count = 0, const QString& who = {}) {
        JournalRecord r;
        r.kind = kind;
        r.at = clock.localDateTime();
        r.count = count;
        r.line.who = who;
        return r;
    };
    write("journal-2026-12-08.log",
          {rec(JournalKind::Open), rec(JournalKind::Snapshot, 0), rec(JournalKind::Line, 0, "a"),
           rec(JournalKind::Line, 0, "b")},
          0);
    write("journal-2026-12-09.log",
          {rec(JournalKind::Continued), rec(JournalKind::Snapshot, 2), rec(JournalKind::Line, 0, "a")}, 3);
    ProtocolJournal journal(dir.path());
    ASSERT_EQ(journal.Lock(), QString());
    const JournalReplay previous = journal.Previous();
    EXPECT_FALSE(previous.closed);
    EXPECT_EQ(previous.lines, (QList<ProtocolLine>{{"a", "", "", ""}, {"b", "", "", ""}}));
}
