#include "event/EventStore.h"
#include "event/EventWriter.h"

#include <QCoreApplication>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>

using namespace std::chrono_literals;

// The child of the next test: stores runs through the writer as fast as the disk takes them and
// prints the key of every run once its commit returned, until it is killed.
TEST(EventStoreChild, DISABLED_StoresRunsUntilKilled) {
    const QString path = qEnvironmentVariable("VANTRO_EVENT_CHILD_FILE");
    StoreError error;
    auto store = EventStore::open(path, error);
    ASSERT_TRUE(store) << error.message.toStdString();
    EventData d;
    ASSERT_FALSE(store->load(d));
    const int64_t first = d.runs.isEmpty() ? 1 : d.runs.back().id + 1;
    EventWriter writer(*store);
    writer.OnCommitted = [first](uint64_t upTo) {
        std::printf("C %lld\n", static_cast<long long>(first + int64_t(upTo) - 1));
        std::fflush(stdout);
    };
    for (int64_t id = first;; ++id) {
        RunRecord r;
        r.id = id;
        r.startNumber = int(id % 97) + 1;
        r.runTimeMs = int32_t(30000 + id);
        r.startTime = QDateTime(QDate(2026, 5, 17), QTime(9, 0)).addMSecs(id * 1000);
        writer.enqueue(r);
        while (writer.pending() > 20)
            std::this_thread::sleep_for(100us);
    }
}

TEST(EventStoreKill, NoCommittedRunIsLostWhenTheProgramIsKilledAtAnyMoment) {
    QTemporaryDir dir;
    const QString path = dir.filePath("killed.vantro");
    {
        StoreError error;
        ASSERT_TRUE(EventStore::create(path, {}, error)) << error.message.toStdString();
    }
    int64_t committed = 0;
    for (int round = 0; round < 5; ++round) {
        SCOPED_TRACE(round);
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("VANTRO_EVENT_CHILD_FILE", path);
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(),
                    {"--gtest_also_run_disabled_tests", "--gtest_filter=EventStoreChild.*"});
        ASSERT_TRUE(child.waitForStarted(10000));
        QByteArray out;
        while (!out.contains("C ") && child.state() == QProcess::Running && child.waitForReadyRead(20000))
            out += child.readAllStandardOutput();
        ASSERT_TRUE(out.contains("C ")) << out.constData();
        // Killed somewhere in its stream of commits: mid-transaction, mid-sync or between two.
        QThread::msleep(QRandomGenerator::global()->bounded(5, 120));
        ::kill(pid_t(child.processId()), SIGKILL);
        ASSERT_TRUE(child.waitForFinished(10000));
        out += child.readAllStandardOutput();
        const QList<QByteArray> lines = out.split('\n');
        for (const QByteArray& line : lines)
            if (line.startsWith("C "))
                committed = std::max<int64_t>(committed, line.mid(2).toLongLong());

        StoreError error;
        auto store = EventStore::open(path, error);
        ASSERT_TRUE(store) << error.message.toStdString();
        EventData d;
        ASSERT_FALSE(store->load(d));
        ASSERT_GE(d.runs.size(), committed);
        for (int64_t i = 0; i < committed; ++i)
            ASSERT_EQ(d.runs[i].id, i + 1) << "every committed run is there, in order";
        EXPECT_EQ(d.runs[committed - 1].runTimeMs, int32_t(30000 + committed));
    }
    EXPECT_GT(committed, 5);
}
