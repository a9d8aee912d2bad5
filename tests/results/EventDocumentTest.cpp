#include "app/results/EventDocument.h"
#include "event/EventStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "tests/support/ProcessUntil.h"

using testsupport::processUntil;

namespace {

RunRecord finished(int number, int ms) {
    RunRecord r;
    r.startNumber = number;
    r.startTime = QDateTime(QDate(2026, 5, 17), QTime(10, 0));
    r.runTimeMs = ms;
    return r;
}

const QDate day(2026, 5, 17);

} // namespace

TEST(EventDocument, TheDaysEventIsCreatedNamedByTheDateAndARunIsCommittedBeforeItShows) {
    QTemporaryDir dir;
    EventDocument doc(dir.path());
    QSignalSpy refreshed(&doc, &EventDocument::refreshed);
    EXPECT_FALSE(doc.ensureEvent(day));
    EXPECT_EQ(doc.path(), QDir(dir.path()).filePath("2026-05-17.vantro"));
    EXPECT_EQ(doc.model()->data().info.name, "17.05.2026");
    refreshed.clear();
    doc.addRun(finished(3, 41230));
    EXPECT_TRUE(doc.standings().overall.isEmpty()) << "not shown before it is committed";
    ASSERT_TRUE(processUntil([&] { return !refreshed.isEmpty(); }));
    ASSERT_EQ(doc.standings().overall.size(), 1);
    EXPECT_EQ(doc.standings().overall[0].resultMs, 41230);

    // On disk: a second reader sees it.
    StoreError e;
    auto store = EventStore::open(doc.path(), e);
    ASSERT_TRUE(store) << e.message.toStdString();
    EventData data;
    ASSERT_FALSE(store->load(data));
    ASSERT_EQ(data.runs.size(), 1);
    EXPECT_EQ(data.runs[0].runTimeMs, 41230);
}

TEST(EventDocument, AFileThatIsNoEventIsRefusedAndTheOpenEventStaysOpen) {
    QTemporaryDir dir;
    EventDocument doc(dir.path());
    ASSERT_FALSE(doc.ensureEvent(day));
    const QString open = doc.path();
    const QString junk = dir.filePath("junk.vantro");
    QFile f(junk);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(4096, 'x'));
    f.close();
    QSignalSpy replaced(&doc, &EventDocument::eventReplaced);
    const StoreError e = doc.open(junk);
    EXPECT_EQ(e.kind, StoreErrorKind::NotAnEvent);
    EXPECT_TRUE(e.message.contains("junk.vantro")) << e.message.toStdString();
    EXPECT_EQ(doc.path(), open);
    EXPECT_TRUE(replaced.isEmpty());
    EXPECT_EQ(f.size(), 4096) << "the refused file is left as it was";
}

TEST(EventDocument, OnlyTheEventOfTheDayIsOpenedAgainAtStart) {
    QTemporaryDir dir;
    QString path;
    {
        EventDocument doc(dir.path());
        ASSERT_FALSE(doc.ensureEvent(day));
        path = doc.path();
        doc.addRun(finished(1, 1000));
        doc.close();
    }
    EventDocument next(dir.path());
    EXPECT_FALSE(next.openIfOfDate(path, day.addDays(1)));
    EXPECT_FALSE(next.isOpen());
    EXPECT_TRUE(next.openIfOfDate(path, day));
    EXPECT_EQ(next.model()->data().runs.size(), 1);
}

TEST(EventDocument, AnUnwritableFolderKeepsTheRunsInMemoryWithOneMessageAndWritesThemLater) {
    QTemporaryDir dir;
    // A file where the folder should be: no event file can be made there, not even by root.
    const QString folder = dir.filePath("events");
    QFile blocker(folder);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EventDocument doc(folder);
    QSignalSpy failed(&doc, &EventDocument::writeFailed);
    QSignalSpy recovered(&doc, &EventDocument::writeRecovered);
    EXPECT_TRUE(doc.ensureEvent(day));
    ASSERT_TRUE(doc.isOpen()) << "timing goes on with the event in memory";
    doc.addRun(finished(5, 2000));
    doc.addRun(finished(6, 3000));
    EXPECT_EQ(failed.size(), 1);
    EXPECT_TRUE(doc.writeFailing());
    ASSERT_TRUE(QFile::remove(folder));
    ASSERT_TRUE(processUntil([&] { return !recovered.isEmpty(); }, 8000));
    ASSERT_TRUE(doc.waitForWrites(3000));
    StoreError e;
    auto store = EventStore::open(doc.path(), e);
    ASSERT_TRUE(store);
    EventData data;
    ASSERT_FALSE(store->load(data));
    EXPECT_EQ(data.runs.size(), 2);
    EXPECT_EQ(failed.size(), 1);
}

TEST(EventDocument, ASavedCopyHoldsTheWholeEventAndTheOpenOneStays) {
    QTemporaryDir dir;
    EventDocument doc(dir.path());
    ASSERT_FALSE(doc.ensureEvent(day));
    Competitor c;
    c.startNumber = 4;
    c.lastName = "Berg";
    doc.importCompetitors({c}, "liste.csv");
    doc.addRun(finished(4, 5000));
    ASSERT_TRUE(doc.waitForWrites(3000));
    const QString copy = dir.filePath("copy.vantro");
    ASSERT_FALSE(doc.saveCopy(copy));
    EventDocument other(dir.path());
    ASSERT_FALSE(other.open(copy));
    EXPECT_EQ(other.model()->data(), doc.model()->data());
    EXPECT_NE(doc.path(), copy);
}
