#include "event/EventWriter.h"
#include "FileBytes.h"
#include "event/EventStore.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>

using namespace std::chrono_literals;

namespace {

// Keeps what it was given; fails every write while `failing` is set.
class FlakySink : public EventSink {
public:
    StoreError write(const std::vector<EventWriteItem>& items) override {
        ++attempts;
        if (failing)
            return {StoreErrorKind::DiskFull, QStringLiteral("voll")};
        std::lock_guard lock(mutex);
        for (const EventWriteItem& item : items)
            startNumbers.push_back(std::get<RunRecord>(item).startNumber);
        return {};
    }
    std::atomic<bool> failing{false};
    std::atomic<int> attempts{0};
    std::mutex mutex;
    std::vector<int> startNumbers;
};

RunRecord runOf(int startNumber) {
    RunRecord r;
    r.id = startNumber;
    r.startNumber = startNumber;
    r.runTimeMs = 40000 + startNumber;
    r.correction = QString(300, QChar('z')); // so a few hundred runs need many pages
    return r;
}

// Waits (at most some seconds) until `condition` holds; a busy machine may delay the worker.
bool eventually(const std::function<bool()>& condition) {
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (!condition() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(1ms);
    return condition();
}

} // namespace

TEST(EventWriter, AFailedCommitIsRetriedUntilItWorksAndTheOrderIsKept) {
    FlakySink sink;
    sink.failing = true;
    std::atomic<int> failures{0}, recoveries{0};
    std::atomic<uint64_t> committed{0};
    EventWriter writer(sink);
    writer.setBackOff(1ms, 4ms);
    writer.OnWriteFailed = [&](const StoreError& e) {
        EXPECT_EQ(e.kind, StoreErrorKind::DiskFull);
        ++failures;
    };
    writer.OnWriteRecovered = [&] { ++recoveries; };
    writer.OnCommitted = [&](uint64_t upTo) { committed = upTo; };

    for (int n = 1; n <= 5; ++n)
        EXPECT_EQ(writer.enqueue(runOf(n)), uint64_t(n));
    EXPECT_TRUE(eventually([&] { return sink.attempts >= 3; })) << "tried again after pauses";
    EXPECT_FALSE(writer.waitForIdle(10ms));
    EXPECT_EQ(failures, 1) << "one report per spell of failures";
    EXPECT_EQ(writer.pending(), 5u);
    EXPECT_EQ(writer.committed(), 0u);

    writer.enqueue(runOf(6)); // handed over while failing: queued behind the others
    sink.failing = false;
    writer.retryNow();
    ASSERT_TRUE(writer.waitForIdle(5s));
    EXPECT_EQ(sink.startNumbers, (std::vector<int>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(recoveries, 1);
    EXPECT_EQ(committed, 6u);

    sink.failing = true;
    writer.enqueue(runOf(7));
    EXPECT_TRUE(eventually([&] { return failures == 2; })) << "a new spell of failures is reported again";
    sink.failing = false;
    ASSERT_TRUE(writer.waitForIdle(5s)) << "retried by the back-off alone";
    EXPECT_EQ(recoveries, 2);
}

TEST(EventWriter, RunsHandedOverWhileTheDiskIsFullAreStoredOnceThereIsRoom) {
    QTemporaryDir dir;
    const QString path = dir.filePath("e.vantro");
    StoreError error;
    auto store = EventStore::create(path, {}, error);
    ASSERT_TRUE(store) << error.message.toStdString();
    std::atomic<int> failures{0};
    StoreError reported;
    {
        EventWriter writer(*store);
        writer.setBackOff(1ms, 5ms);
        writer.OnWriteFailed = [&](const StoreError& e) {
            reported = e;
            ++failures;
        };
        {
            const qint64 used = std::max(QFileInfo(path).size(), QFileInfo(path + "-wal").size());
            FileSizeLimit full(rlim_t(used + 4096));
            for (int n = 1; n <= 300; ++n)
                writer.enqueue(runOf(n));
            EXPECT_TRUE(eventually([&] { return failures == 1; }));
            EXPECT_GT(writer.pending(), 0u) << "kept in memory while the disk is full";
        }
        ASSERT_TRUE(writer.waitForIdle(10s));
    }
    EXPECT_EQ(failures, 1);
    // A file-size limit is a write error to SQLite; a disk with no space left would be DiskFull.
    EXPECT_NE(reported.kind, StoreErrorKind::None);
    EXPECT_TRUE(reported.message.contains("Datenträger")) << reported.message.toStdString();
    EXPECT_TRUE(reported.message.contains(path)) << reported.message.toStdString();

    EventData d;
    ASSERT_FALSE(store->load(d));
    ASSERT_EQ(d.runs.size(), 300);
    for (int i = 0; i < 300; ++i)
        EXPECT_EQ(d.runs[i], runOf(i + 1));
}
