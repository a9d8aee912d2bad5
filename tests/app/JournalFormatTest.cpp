#include "app/journal/JournalFormat.h"
#include "app/journal/JournalReplay.h"

#include <gtest/gtest.h>

namespace {

const QDateTime At(QDate(2026, 12, 8), QTime(9, 5, 7, 123));

JournalRecord lineRecord(const QString& who, const QString& time = {}, const QString& speed = {},
                         const QString& note = {}) {
    JournalRecord r;
    r.kind = JournalKind::Line;
    r.at = At;
    r.line = ProtocolLine{who, time, speed, note};
    return r;
}

JournalRecord rec(JournalKind kind, int count = 0) {
    JournalRecord r;
    r.kind = kind;
    r.at = At;
    r.count = count;
    return r;
}

} // namespace

TEST(JournalFormat, EveryKindOfRecordReadsBackAsWritten) {
    JournalRecord header;
    header.kind = JournalKind::Header;
    header.count = JournalFormatVersion;
    JournalRecord open = rec(JournalKind::Open);
    open.pid = 4242;
    JournalRecord edge = rec(JournalKind::Edge);
    edge.tick = 0xFFFFFFFFu;
    edge.outcome = EdgeOutcome::IgnoredDeadTime;
    const JournalRecord records[] = {
        header,
        open,
        rec(JournalKind::Snapshot, 2),
        rec(JournalKind::Grid, 3),
        rec(JournalKind::Kept),
        lineRecord("  Nr.:", "12", "J\u00fcrgen M\u00fcller \u20ac", ""),
        lineRecord("Stopp:", "  4,72", "    50", "10m/0,72c"),
        // Separators and escapes in the texts must not split or end the record.
        lineRecord("a\tb", "c\nd", "e\\t", "f\r\\"),
        lineRecord(QString(QChar(0xFEFF)) + "x", "", "", ""),
        edge,
        rec(JournalKind::Continued),
        rec(JournalKind::Closed),
    };
    for (const JournalRecord& r : records) {
        const QByteArray text = FormatJournalLine(r);
        ASSERT_TRUE(text.endsWith('\n'));
        EXPECT_EQ(text.count('\n'), 1) << text.constData();
        const auto back = ParseJournalLine(text);
        ASSERT_TRUE(back.has_value()) << text.constData();
        EXPECT_EQ(*back, r) << text.constData();
    }
}

TEST(JournalFormat, DamagedOrForeignLinesAreRejected) {
    const QByteArray good = FormatJournalLine(lineRecord("Start:", "  0,00", "", "9:05.07"));
    ASSERT_TRUE(ParseJournalLine(good));
    for (qsizetype cut = 0; cut < good.size() - 1; ++cut)
        EXPECT_FALSE(ParseJournalLine(good.left(cut))) << "cut at " << cut;
    for (qsizetype i = 0; i < good.size() - 1; ++i) {
        QByteArray flipped = good;
        flipped[i] = char(flipped[i] ^ 0x04);
        EXPECT_FALSE(ParseJournalLine(flipped)) << "byte " << i;
    }
    // Lines with a correct checksum but a wrong shape.
    auto signedLine = [](const QByteArray& payload) {
        return QByteArray::number(JournalCrc32(payload), 16).rightJustified(8, '0') + ' ' + payload + '\n';
    };
    EXPECT_TRUE(ParseJournalLine(signedLine("Z\t2026-12-08T09:05:07.123")));
    EXPECT_FALSE(ParseJournalLine(signedLine("Q\t2026-12-08T09:05:07.123")));
    EXPECT_FALSE(ParseJournalLine(signedLine("Z\t2026-13-08T09:05:07.123")));
    EXPECT_FALSE(ParseJournalLine(signedLine("L\t2026-12-08T09:05:07.123\ta\tb\tc")));
    EXPECT_FALSE(ParseJournalLine(signedLine("L\t2026-12-08T09:05:07.123\ta\\x\tb\tc\td")));
    EXPECT_FALSE(ParseJournalLine(signedLine("E\t2026-12-08T09:05:07.123\t4294967296\tstart")));
    EXPECT_FALSE(ParseJournalLine(signedLine("E\t2026-12-08T09:05:07.123\t-1\tstart")));
    EXPECT_FALSE(ParseJournalLine(signedLine("E\t2026-12-08T09:05:07.123\t12\tjump")));
    EXPECT_FALSE(ParseJournalLine(signedLine("C\t2026-12-08T09:05:07.123\t")));
    EXPECT_FALSE(ParseJournalLine(signedLine("C\t2026-12-08T09:05:07.123\t01")));
    EXPECT_TRUE(ParseJournalLine(signedLine("C\t2026-12-08T09:05:07.123\t0")));
    // Texts that are not well-formed UTF-8 would read as something the writer never wrote.
    EXPECT_FALSE(ParseJournalLine(signedLine("L\t2026-12-08T09:05:07.123\ta\tb\tc\xff\td")));
    EXPECT_FALSE(ParseJournalLine(signedLine("L\t2026-12-08T09:05:07.123\t\xc3\tb\tc\td")));
    // Line breaks in a text are always escaped; a raw one (a file moved through a CR LF system)
    // is not what the writer wrote.
    EXPECT_FALSE(ParseJournalLine(signedLine("L\t2026-12-08T09:05:07.123\ta\tb\tc\td\r")));
    EXPECT_FALSE(ParseJournalLine(QByteArray("")));
    EXPECT_FALSE(ParseJournalLine(QByteArray("ZZZZZZZZ L")));
}

TEST(JournalReplay, TheLastSessionsLinesAreRestoredAndADamagedLastLineIsSkipped) {
    QByteArray file;
    auto add = [&](const JournalRecord& r) { file += FormatJournalLine(r); };
    add(rec(JournalKind::Open));
    add(lineRecord("old"));
    add(rec(JournalKind::Closed));
    add(rec(JournalKind::Open));
    add(rec(JournalKind::Snapshot, 0));
    add(lineRecord("  Nr.:", "1"));
    add(lineRecord("Start:", "  0,00"));
    JournalReplay r = ReplayJournal(file);
    EXPECT_TRUE(r.hasSession);
    EXPECT_FALSE(r.closed);
    ASSERT_EQ(r.lines.size(), 2);
    EXPECT_EQ(r.lines[1].who, "Start:");

    // The next line was cut off while it was written.
    const QByteArray torn = FormatJournalLine(lineRecord("  Lap:", "  4,00"));
    r = ReplayJournal(file + torn.left(torn.size() - 5));
    EXPECT_EQ(r.lines.size(), 2);
    EXPECT_EQ(r.damaged, 1);
    // Complete in length but with a damaged byte.
    QByteArray bad = torn;
    bad[20] = 'X';
    r = ReplayJournal(file + bad);
    EXPECT_EQ(r.lines.size(), 2);
    EXPECT_EQ(r.damaged, 1);

    add(rec(JournalKind::Closed));
    EXPECT_TRUE(ReplayJournal(file).closed);
}

TEST(JournalReplay, ASessionWhoseOpenLineIsDamagedIsStillOffered) {
    QByteArray file;
    auto add = [&](const JournalRecord& r) { file += FormatJournalLine(r); };
    add(rec(JournalKind::Open));
    add(lineRecord("old"));
    add(rec(JournalKind::Closed));
    QByteArray open = FormatJournalLine(rec(JournalKind::Open));
    open[3] = open[3] == '0' ? '1' : '0'; // a wrong checksum
    file += open;
    add(rec(JournalKind::Snapshot, 0));
    add(lineRecord("  Nr.:", "7"));
    JournalReplay r = ReplayJournal(file);
    EXPECT_TRUE(r.hasSession);
    EXPECT_FALSE(r.closed);
    EXPECT_EQ(r.lines, (QList<ProtocolLine>{{"  Nr.:", "7", "", ""}}));
    EXPECT_EQ(r.damaged, 1);

    // Only a damaged Open line and nothing else: no session at all, and nothing marked closed.
    r = ReplayJournal(FormatJournalLine(rec(JournalKind::Header, 1)) + open);
    EXPECT_FALSE(r.hasSession);
    EXPECT_FALSE(r.closed);
}

TEST(JournalReplay, ASnapshotReplacesTheLinesOnlyWhenItIsComplete) {
    QByteArray file;
    auto add = [&](const JournalRecord& r) { file += FormatJournalLine(r); };
    add(rec(JournalKind::Open));
    add(lineRecord("a"));
    add(lineRecord("b"));
    add(rec(JournalKind::Snapshot, 2));
    add(lineRecord("x"));
    // Cut short by the end of the file: the protocol before it stands.
    EXPECT_EQ(ReplayJournal(file).lines, (QList<ProtocolLine>{{"a", "", "", ""}, {"b", "", "", ""}}));
    add(lineRecord("y"));
    add(lineRecord("z")); // appended after the snapshot
    EXPECT_EQ(ReplayJournal(file).lines,
              (QList<ProtocolLine>{{"x", "", "", ""}, {"y", "", "", ""}, {"z", "", "", ""}}));

    // An empty snapshot in the middle of a session clears what came before it.
    file.clear();
    add(rec(JournalKind::Open));
    add(lineRecord("a"));
    add(lineRecord("b"));
    add(rec(JournalKind::Snapshot, 0));
    add(lineRecord("c"));
    EXPECT_EQ(ReplayJournal(file).lines, (QList<ProtocolLine>{{"c", "", "", ""}}));
}

TEST(JournalReplay, AnUnfinishedSnapshotOrSessionStartKeepsTheLinesItWasToReplace) {
    QByteArray before;
    for (const JournalRecord& r : {rec(JournalKind::Open), rec(JournalKind::Snapshot, 0), lineRecord("a"),
                                   lineRecord("b"), rec(JournalKind::Edge)})
        before += FormatJournalLine(r);
    const QByteArray open = FormatJournalLine(rec(JournalKind::Open));
    const QByteArray snapshot3 = FormatJournalLine(rec(JournalKind::Snapshot, 3));
    const QByteArray x = FormatJournalLine(lineRecord("x"));
    const QByteArray pass = FormatJournalLine(rec(JournalKind::Edge));
    const struct {
        const char* what;
        QByteArray after;
    } cases[] = {
        {"a new session killed while it copied the lines", open + snapshot3 + x + x.left(7)},
        {"a new session killed before its snapshot", open + snapshot3.left(9)},
        {"only the session's start", open},
        {"a snapshot cut off by hand", snapshot3 + x},
        {"a snapshot that lost a line to damage", snapshot3 + x + pass},
        {"a new session after one killed while copying", open + snapshot3 + x + '\n' + open},
    };
    for (const auto& c : cases) {
        const JournalReplay r = ReplayJournal(before + c.after);
        EXPECT_EQ(r.lines, (QList<ProtocolLine>{{"a", "", "", ""}, {"b", "", "", ""}})) << c.what;
        EXPECT_TRUE(r.hasSession && !r.closed) << c.what;
    }
}

TEST(JournalFiles, NamesCarryTheDay) {
    EXPECT_EQ(JournalFileName(QDate(2026, 1, 9)), "journal-2026-01-09.log");
    EXPECT_EQ(JournalFileDay("journal-2026-01-09.log"), QDate(2026, 1, 9));
    EXPECT_FALSE(JournalFileDay("journal-2026-13-09.log").isValid());
    EXPECT_FALSE(JournalFileDay("journal-2026-01-09.log.bak").isValid());
}
