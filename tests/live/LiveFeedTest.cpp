#include "live/LiveFeed.h"
#include "LiveTestEvent.h"
#include "LiveWait.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using namespace livetest;

TEST(LiveFeed, MakesASnapshotOffTheCallersThreadAfterEachChange) {
    LiveFeed feed;
    QSignalSpy ready(&feed, &LiveFeed::snapshotReady);
    EventData e;
    e.competitors = {competitor(5, "Anna", "Berg", "A")};
    run(e, 5, 40000);
    feed.setEvent(e);
    ASSERT_TRUE(ready.wait(3000));
    auto first = ready.last()[0].value<std::shared_ptr<const LiveSnapshot>>();
    ASSERT_TRUE(first);
    EXPECT_EQ(first->runs.size(), 1);
    EXPECT_EQ(feed.snapshot(), first);

    feed.setRun({LivePhase::Running, 5, {}, 1234, 0});
    ASSERT_TRUE(waitFor([&] { return feed.snapshot()->sequence > first->sequence; }));
    EXPECT_EQ(feed.snapshot()->current.name, QStringLiteral("Anna Berg"));
    EXPECT_EQ(feed.snapshot()->current.startTick, 1234u);

    // The same run again is no change; the resolution is one.
    const uint64_t seq = feed.snapshot()->sequence;
    feed.setRun({LivePhase::Running, 5, {}, 1234, 0});
    QTest::qWait(50);
    EXPECT_EQ(feed.snapshot()->sequence, seq);
    feed.setResolution(1);
    EXPECT_TRUE(waitFor([&] { return feed.snapshot()->resolution == 1; }));
}

TEST(LiveFeed, ChangesFasterThanSnapshotsAreMergedAndTheLastOneWins) {
    LiveFeed feed;
    QSignalSpy ready(&feed, &LiveFeed::snapshotReady);
    EventData e = generatedEvent(4, 50, 2);
    for (int i = 0; i < 50; ++i) {
        run(e, 1 + i, 40000);
        feed.setEvent(e);
    }
    ASSERT_TRUE(waitFor([&] { return feed.snapshot()->runs.size() == e.runs.size(); }, 5000));
    QTest::qWait(100);
    // Sequences only grow.
    uint64_t last = 0;
    for (const QList<QVariant>& signal : ready) {
        const auto s = signal[0].value<std::shared_ptr<const LiveSnapshot>>();
        EXPECT_GT(s->sequence, last);
        last = s->sequence;
    }
}
