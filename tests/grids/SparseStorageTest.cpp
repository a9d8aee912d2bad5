#include "ThrownMessage.h"
#include "core/EListError.h"
#include "grids/TSparseList.h"
#include "grids/TSparsePointerArray.h"
#include "grids/TStringSparseList.h"

#include <QBuffer>
#include <QDataStream>
#include <gtest/gtest.h>

namespace {

// Distinct non-null pointers for storing; the containers never dereference them.
int cells[64];
void* P(int k) {
    return &cells[k];
}

std::vector<std::pair<int32_t, void*>> entriesOf(const TSparsePointerArray& a) {
    std::vector<std::pair<int32_t, void*>> out;
    a.ForEach([&](int32_t i, void* p) {
        out.emplace_back(i, p);
        return 0;
    });
    return out;
}

} // namespace

TEST(SparsePointerArray, AllocatesSectionsOnlyWhereNonNullPointersAreWritten) {
    TSparsePointerArray a(TSparseQuantum::QuantumSmall);
    EXPECT_EQ(a.ReadAt(0), nullptr);
    EXPECT_EQ(a.ReadAt(100000), nullptr);
    EXPECT_EQ(a.ReadAt(-1), nullptr);
    a.WriteAt(50, nullptr);
    EXPECT_EQ(a.SectionCount(), 0) << "reads and null writes allocate nothing";
    EXPECT_EQ(a.HighestIndex(), -1);

    a.WriteAt(33, P(1)); // section 2 of 16 slots
    EXPECT_EQ(a.SlotCount(), 3) << "directory grows to exactly the section needed";
    EXPECT_EQ(a.SectionCount(), 1);
    EXPECT_EQ(a.ReadAt(33), P(1));
    EXPECT_EQ(a.ReadAt(32), nullptr);

    TSparsePointerArray large(TSparseQuantum::QuantumLarge);
    large.WriteAt(255, P(1));
    large.WriteAt(256, P(2));
    EXPECT_EQ(large.SectionSize(), 256);
    EXPECT_EQ(large.SlotCount(), 2);
    EXPECT_EQ(large.SectionCount(), 2);
}

TEST(SparsePointerArray, HighestIndexFollowsWritesAndClears) {
    TSparsePointerArray a(TSparseQuantum::QuantumSmall);
    a.WriteAt(3, P(1));
    a.WriteAt(40, P(2));
    a.WriteAt(17, P(3));
    EXPECT_EQ(a.HighestIndex(), 40);
    a.WriteAt(17, nullptr);
    EXPECT_EQ(a.HighestIndex(), 40);
    a.WriteAt(40, nullptr);
    EXPECT_EQ(a.HighestIndex(), 3) << "found across an emptied section";
    EXPECT_EQ(a.SectionCount(), 3) << "sections stay until destruction";
    a.WriteAt(3, nullptr);
    EXPECT_EQ(a.HighestIndex(), -1);
}

TEST(SparsePointerArray, ClearForgetsEveryEntryAndTheArrayIsUsableAfterwards) {
    TSparsePointerArray a(TSparseQuantum::QuantumSmall);
    a.WriteAt(5, P(1));
    a.WriteAt(40, P(2));
    EXPECT_EQ(a.ReadAt(5), P(1)); // cached
    a.Clear();
    EXPECT_EQ(a.ReadAt(5), nullptr) << "the cached read does not survive";
    EXPECT_EQ(a.ReadAt(40), nullptr);
    EXPECT_EQ(a.HighestIndex(), -1);
    EXPECT_EQ(a.SlotCount(), 0);
    EXPECT_EQ(a.SectionCount(), 0);
    EXPECT_TRUE(entriesOf(a).empty());

    // The first section lives apart from the others: both kinds are made again and found.
    a.WriteAt(33, P(3));
    EXPECT_EQ(a.SlotCount(), 3);
    EXPECT_EQ(a.SectionCount(), 1);
    a.WriteAt(2, P(4));
    EXPECT_EQ(a.SectionCount(), 2);
    EXPECT_EQ(entriesOf(a), (std::vector<std::pair<int32_t, void*>>{{2, P(4)}, {33, P(3)}}));
    a.WriteAt(33, nullptr);
    EXPECT_EQ(a.HighestIndex(), 2) << "found in the first section";
}

TEST(SparsePointerArray, ReadCacheNeverReturnsAStaleValue) {
    TSparsePointerArray a(TSparseQuantum::QuantumSmall);
    EXPECT_EQ(a.ReadAt(5), nullptr); // caches "null at 5"
    a.WriteAt(5, P(1));
    EXPECT_EQ(a.ReadAt(5), P(1));
    *a.SlotFor(5) = P(2);
    EXPECT_EQ(a.ReadAt(-1), nullptr) << "a negative index reads null, also right after a write";
    EXPECT_EQ(a.ReadAt(5), P(2));
    a.WriteAt(5, nullptr);
    EXPECT_EQ(a.ReadAt(5), nullptr);
}

TEST(SparsePointerArray, ForEachVisitsInIndexOrderAndStopsAtTheFirstNonZeroResult) {
    TSparsePointerArray a(TSparseQuantum::QuantumSmall);
    a.WriteAt(300, P(3));
    a.WriteAt(2, P(1));
    a.WriteAt(17, P(2));
    const auto all = entriesOf(a);
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[0], std::make_pair(int32_t(2), P(1)));
    EXPECT_EQ(all[1], std::make_pair(int32_t(17), P(2)));
    EXPECT_EQ(all[2], std::make_pair(int32_t(300), P(3)));

    int calls = 0;
    EXPECT_EQ(a.ForEach([&](int32_t i, void*) { return ++calls, i == 17 ? 7 : 0; }), 7);
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(a.ForEach([](int32_t, void*) { return 0; }), 0);
}

TEST(SparsePointerArray, RejectsIndicesPastTheDirectoryLimitInsteadOfWrappingAround) {
    TSparsePointerArray a(TSparseQuantum::QuantumSmall);
    EXPECT_EQ(a.MaxIndex(), 1048559);
    a.WriteAt(a.MaxIndex(), P(1));
    EXPECT_EQ(a.ReadAt(a.MaxIndex()), P(1));
    EXPECT_THROW(a.WriteAt(a.MaxIndex() + 1, P(2)), EListError);
    EXPECT_EQ(a.ReadAt(0), nullptr) << "the index must not alias onto section 0";
    EXPECT_EQ(TSparsePointerArray(TSparseQuantum::QuantumLarge).MaxIndex(), 16776959);
}

TEST(SparseList, SetItemAtSetsCountToOnePastTheHighestEntry) {
    TSparseList l(TSparseQuantum::QuantumSmall);
    l.SetItemAt(10, P(1));
    EXPECT_EQ(l.Count(), 11);
    EXPECT_EQ(l.ItemAt(50), nullptr) << "no upper bound on reads";
    l.SetItemAt(4, P(2));
    l.SetItemAt(10, nullptr);
    EXPECT_EQ(l.Count(), 5);
    l.SetItemAt(4, nullptr);
    EXPECT_EQ(l.Count(), 0);
}

TEST(SparseList, InsertAtShiftsFollowingEntriesAndGrowsCountToTheIndex) {
    TSparseList l(TSparseQuantum::QuantumSmall);
    l.InsertAt(5, P(1));
    EXPECT_EQ(l.Count(), 6);
    EXPECT_EQ(l.ItemAt(5), P(1));

    for (int k = 0; k < 20; ++k) // across a section boundary
        l.SetItemAt(k, P(k));
    l.InsertAt(3, P(40));
    EXPECT_EQ(l.Count(), 21);
    EXPECT_EQ(l.ItemAt(3), P(40));
    EXPECT_EQ(l.ItemAt(4), P(3));
    EXPECT_EQ(l.ItemAt(16), P(15));
    EXPECT_EQ(l.ItemAt(20), P(19));

    l.InsertAt(0, nullptr);
    EXPECT_EQ(l.Count(), 22);
    EXPECT_EQ(l.ItemAt(0), nullptr);
    EXPECT_EQ(l.ItemAt(21), P(19));
}

TEST(SparseList, DeleteAtShiftsDownAndIgnoresIndicesOutsideTheList) {
    TSparseList l(TSparseQuantum::QuantumSmall);
    for (int k = 0; k < 5; ++k)
        l.SetItemAt(k, P(k));
    l.DeleteAt(5);
    l.DeleteAt(-1);
    EXPECT_EQ(l.Count(), 5);
    l.DeleteAt(1);
    EXPECT_EQ(l.Count(), 4);
    EXPECT_EQ(l.ItemAt(1), P(2));
    EXPECT_EQ(l.ItemAt(3), P(4));
    EXPECT_EQ(l.ItemAt(4), nullptr);
    EXPECT_EQ(l.Array().HighestIndex(), 3);
    l.DeleteAt(3);
    EXPECT_EQ(l.Count(), 3);
    EXPECT_EQ(l.Array().HighestIndex(), 2);

    // Trailing null entries inside Count are shifted like any other.
    TSparseList gaps(TSparseQuantum::QuantumSmall);
    gaps.InsertAt(4, P(1));
    gaps.DeleteAt(0);
    EXPECT_EQ(gaps.Count(), 4);
    EXPECT_EQ(gaps.ItemAt(3), P(1));
}

TEST(SparseList, NegativeIndicesRaiseListIndexError) {
    TSparseList l(TSparseQuantum::QuantumSmall);
    EXPECT_EQ(ThrownMessage<EListError>([&] { l.ItemAt(-1); }), "List index out of bounds (-1)");
    EXPECT_EQ(ThrownMessage<EListError>([&] { l.SetItemAt(-2, P(1)); }), "List index out of bounds (-2)");
    EXPECT_EQ(ThrownMessage<EListError>([&] { l.InsertAt(-3, P(1)); }), "List index out of bounds (-3)");
    EXPECT_EQ(l.Count(), 0);
}

TEST(SparseList, InsertAtRefusesToPushAnEntryPastTheLimit) {
    TSparseList l(TSparseQuantum::QuantumSmall);
    const int32_t max = l.Array().MaxIndex();
    l.InsertAt(max, P(1));
    EXPECT_EQ(l.Count(), max + 1);
    EXPECT_THROW(l.InsertAt(0, P(2)), EListError);
    EXPECT_EQ(l.ItemAt(max), P(1));
    EXPECT_EQ(l.ItemAt(0), nullptr);
    EXPECT_THROW(TSparseList(TSparseQuantum::QuantumSmall).InsertAt(max + 1, P(2)), EListError);
}

TEST(SparseList, SwapMoveItemAndClear) {
    TSparseList l(TSparseQuantum::QuantumSmall);
    l.SetItemAt(0, P(0));
    l.SetItemAt(1, P(1));
    l.SetItemAt(2, P(2));
    l.Swap(0, 2);
    EXPECT_EQ(l.ItemAt(0), P(2));
    EXPECT_EQ(l.ItemAt(2), P(0));
    l.Swap(2, 6); // swapping with an empty slot past the end moves the entry there
    EXPECT_EQ(l.Count(), 7);
    EXPECT_EQ(l.ItemAt(2), nullptr);

    TSparseList m(TSparseQuantum::QuantumSmall);
    for (int k = 0; k < 3; ++k)
        m.SetItemAt(k, P(k));
    m.MoveItem(0, 2);
    EXPECT_EQ(m.ItemAt(0), P(1));
    EXPECT_EQ(m.ItemAt(1), P(2));
    EXPECT_EQ(m.ItemAt(2), P(0));
    m.MoveItem(2, 0);
    EXPECT_EQ(m.ItemAt(0), P(0));
    EXPECT_EQ(m.Count(), 3);
    EXPECT_THROW(m.MoveItem(1, -1), EListError);
    EXPECT_EQ(m.ItemAt(1), P(1)) << "a refused move keeps the entry";

    m.Clear();
    EXPECT_EQ(m.Count(), 0);
    EXPECT_EQ(m.Array().SectionCount(), 0);
}

TEST(StringSparseList, EmptyWritesDropTheItemUnlessItCarriesAnObject) {
    TStringSparseList l(TSparseQuantum::QuantumSmall);
    l.setStrings(3, "x");
    EXPECT_EQ(l.Count(), 4);
    EXPECT_EQ(l.Strings(3), "x");
    EXPECT_EQ(l.Strings(2), "");
    EXPECT_EQ(l.Strings(99), "");
    l.setStrings(3, "");
    EXPECT_EQ(l.Count(), 0);
    EXPECT_EQ(l.List().ItemAt(3), nullptr);

    l.setObjects(1, P(5));
    EXPECT_EQ(l.Count(), 2);
    EXPECT_EQ(l.Strings(1), "");
    l.setStrings(1, "y");
    EXPECT_EQ(l.Objects(1), P(5)) << "a text write keeps the object";
    l.setStrings(1, "");
    EXPECT_EQ(l.Objects(1), P(5));
    EXPECT_NE(l.List().ItemAt(1), nullptr);
    l.setObjects(1, nullptr);
    EXPECT_NE(l.List().ItemAt(1), nullptr) << "a null object leaves the empty item";
    EXPECT_EQ(l.Count(), 2);
    l.setObjects(7, nullptr);
    EXPECT_EQ(l.Count(), 2) << "a null object on an empty slot stores nothing";
}

TEST(StringSparseList, TakeTextStoresLikePutAndKeepsTheObject) {
    TStringSparseList l(TSparseQuantum::QuantumSmall);
    int changes = 0;
    l.OnChange = [&](TStrings*) { ++changes; };
    QString text = QStringLiteral("Jörg");
    const QChar* data = text.constData();
    l.TakeText(2, std::move(text));
    EXPECT_EQ(l.Strings(2), "Jörg");
    EXPECT_EQ(l.TextRef(2).constData(), data) << "taken over, not copied";
    EXPECT_EQ(l.Count(), 3);

    l.setObjects(2, P(1));
    l.TakeText(2, QStringLiteral("Maaß"));
    EXPECT_EQ(l.Strings(2), "Maaß");
    EXPECT_EQ(l.Objects(2), P(1)) << "a text write keeps the object";
    l.TakeText(2, QString());
    EXPECT_EQ(l.Strings(2), "");
    EXPECT_EQ(l.Objects(2), P(1));
    l.setObjects(2, nullptr);
    l.TakeText(5, QStringLiteral("x"));
    l.TakeText(5, QString());
    EXPECT_EQ(l.List().ItemAt(5), nullptr) << "an empty text without an object drops the item";
    EXPECT_EQ(changes, 7) << "every call fires OnChange, as Put does";
    EXPECT_THROW(l.TakeText(-1, QStringLiteral("x")), EListError);
}

TEST(StringSparseList, InsertDeleteMoveAndExchangeCarryTextAndObject) {
    TStringSparseList l(TSparseQuantum::QuantumSmall);
    l.setStrings(0, "x");
    l.setStrings(1, "y");
    l.setStrings(2, "z");
    l.setObjects(0, P(1));
    l.Move(0, 2);
    EXPECT_EQ(l.ToStringList(), (QStringList{"y", "z", "x"}));
    EXPECT_EQ(l.Objects(2), P(1));
    l.Insert(1, "");
    EXPECT_EQ(l.ToStringList(), (QStringList{"y", "", "z", "x"}));
    EXPECT_NE(l.List().ItemAt(1), nullptr) << "an inserted entry always has an item";
    l.Delete(0);
    EXPECT_EQ(l.ToStringList(), (QStringList{"", "z", "x"}));
    l.Exchange(1, 2);
    EXPECT_EQ(l.ToStringList(), (QStringList{"", "x", "z"}));
    EXPECT_EQ(l.Objects(1), P(1));
    EXPECT_THROW(l.Delete(-1), EListError);
    EXPECT_THROW(l.setStrings(-1, "a"), EListError);
}

TEST(StringSparseList, OnChangeFiresForEveryChangeButExchange) {
    TStringSparseList l(TSparseQuantum::QuantumSmall);
    int fired = 0;
    l.OnChange = [&](TStrings* sender) {
        EXPECT_EQ(sender, &l);
        ++fired;
    };
    l.setStrings(0, "a");
    l.setObjects(0, P(1));
    l.Insert(0, "b");
    l.Exchange(0, 1);
    EXPECT_EQ(fired, 3);
    l.Delete(0);
    l.Clear();
    EXPECT_EQ(fired, 5);
    EXPECT_EQ(l.Count(), 0);
}

TEST(StringSparseList, ListRoundTripsThroughAStreamWithoutObjects) {
    TStringSparseList source(TSparseQuantum::QuantumSmall);
    source.setStrings(2, "zwei");
    source.setStrings(40, "vierzig, mit Komma");
    source.setObjects(5, P(3)); // an item with an empty text is stored too
    QByteArray bytes;
    {
        QDataStream out(&bytes, QIODevice::WriteOnly);
        source.WriteList(out);
    }
    TStringSparseList target(TSparseQuantum::QuantumSmall);
    QDataStream in(bytes);
    target.ReadList(in);
    EXPECT_EQ(target.Count(), 41);
    EXPECT_EQ(target.Strings(2), "zwei");
    EXPECT_EQ(target.Strings(40), "vierzig, mit Komma");
    EXPECT_EQ(target.Objects(5), nullptr);
    EXPECT_NE(target.List().ItemAt(5), nullptr);
}

TEST(StringSparseList, ATruncatedOrCorruptStreamChangesNothing) {
    TStringSparseList source(TSparseQuantum::QuantumSmall);
    source.setStrings(1, "a");
    source.setStrings(2, "b");
    QByteArray bytes;
    {
        QDataStream out(&bytes, QIODevice::WriteOnly);
        source.WriteList(out);
    }
    TStringSparseList target(TSparseQuantum::QuantumSmall);
    target.setStrings(0, "keep");
    QDataStream truncated(bytes.left(bytes.size() - 3));
    EXPECT_THROW(target.ReadList(truncated), EListError);
    EXPECT_EQ(target.ToStringList(), QStringList{"keep"});

    QByteArray negative;
    {
        QDataStream out(&negative, QIODevice::WriteOnly);
        out << qint32(1) << qint32(-4) << QString("x");
    }
    QDataStream bad(negative);
    EXPECT_THROW(target.ReadList(bad), EListError);
    EXPECT_EQ(target.ToStringList(), QStringList{"keep"});
}
