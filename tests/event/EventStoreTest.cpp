#include "event/EventStore.h"
#include "EventTestData.h"
#include "event/EventFiles.h"
#include "event/EventStoreSchema.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// Runs SQL on a file with SQLite itself, as another program (or an older one) would.
void sql(const QString& path, const char* statements) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(path).constData(), &db), SQLITE_OK);
    char* message = nullptr;
    EXPECT_EQ(sqlite3_exec(db, statements, nullptr, nullptr, &message), SQLITE_OK) << message;
    sqlite3_free(message);
    sqlite3_close(db);
}

} // namespace

TEST(EventStore, EveryFieldSurvivesStoringAndOpeningAgain) {
    QTemporaryDir dir;
    const QString path = dir.filePath("e.vantro");
    const EventData written = sampleEvent();
    StoreError error;
    {
        auto store = EventStore::create(path, EventInfo{}, error);
        ASSERT_TRUE(store) << error.message.toStdString();
        ASSERT_FALSE(store->write(itemsOf(written)));
    }
    auto store = EventStore::open(path, error);
    ASSERT_TRUE(store) << error.message.toStdString();
    EventData read;
    ASSERT_FALSE(store->load(read));
    EXPECT_EQ(read, written);

    // A record written again under its key replaces the old one; nothing is added.
    RunRecord changed = written.runs[0];
    changed.cones = 5;
    changed.lapTimeMs.reset();
    ASSERT_FALSE(store->write({changed}));
    ASSERT_FALSE(store->load(read));
    EXPECT_EQ(read.runs.size(), 2);
    EXPECT_EQ(read.runs[0], changed);
}

TEST(EventStore, NothingCanBeDeletedFromTheRecord) {
    QTemporaryDir dir;
    const QString path = dir.filePath("e.vantro");
    StoreError error;
    {
        auto store = EventStore::create(path, {}, error);
        ASSERT_TRUE(store);
        ASSERT_FALSE(store->write(itemsOf(sampleEvent())));
    }
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(path).constData(), &db), SQLITE_OK);
    for (const char* statement : {"DELETE FROM runs", "DELETE FROM competitors", "DELETE FROM audit"})
        EXPECT_NE(sqlite3_exec(db, statement, nullptr, nullptr, nullptr), SQLITE_OK) << statement;
    sqlite3_close(db);
}

TEST(EventStore, AFileOfTheFirstSchemaOpensAndKeepsItsRecords) {
    QTemporaryDir dir;
    const QString path = dir.filePath("old.vantro");
    const QByteArray v1 =
        "PRAGMA application_id=" + QByteArray::number(EventApplicationId) + ";" + eventSchemaSteps()[0].sql +
        "INSERT INTO info VALUES (1, 'Alt', '2025-09-01', 'Riesa');"
        "INSERT INTO rules VALUES (1, '{\"gateMs\":12000}');"
        "INSERT INTO runs (id, start_number, run_number, start_time, run_ms, lap_ms, speed,"
        " status, dsq_reason, cones, gates, training, voided, deleted)"
        " VALUES (1, 7, 1, '2025-09-01T09:30:00.000', 41000, NULL, NULL, 0, '', 1, 0, 0, 0, 0);";
    sql(path, v1.constData());

    StoreError error;
    auto store = EventStore::open(path, error);
    ASSERT_TRUE(store) << error.message.toStdString();
    EventData d;
    ASSERT_FALSE(store->load(d));
    EXPECT_EQ(d.info.name, "Alt");
    EXPECT_EQ(d.rules.gatePenaltyMs, 12000);
    EXPECT_EQ(d.rules.conePenaltyMs, EventRules{}.conePenaltyMs) << "a rule the file lacks keeps its default";
    ASSERT_EQ(d.runs.size(), 1);
    EXPECT_EQ(d.runs[0].runTimeMs, 41000);
    EXPECT_EQ(d.runs[0].cones, 1);
    EXPECT_FALSE(d.runs[0].needsCheck);

    // Migrated: the fields of later versions are stored too.
    RunRecord r = d.runs[0];
    r.correction = QStringLiteral("Zeitnahme-Fehler");
    ASSERT_FALSE(store->write({r}));
    ASSERT_FALSE(store->load(d));
    EXPECT_EQ(d.runs[0].correction, r.correction);
}

TEST(EventStore, RefusedFilesAreLeftUnchangedAndNamedInTheMessage) {
    QTemporaryDir dir;
    // A real event cut in half: written, closed (so the log is folded in), truncated.
    const QString truncated = dir.filePath("cut.vantro");
    {
        StoreError error;
        auto store = EventStore::create(truncated, {}, error);
        ASSERT_TRUE(store);
        std::vector<EventWriteItem> runs;
        for (int i = 1; i <= 3000; ++i) {
            RunRecord r;
            r.id = i;
            r.startNumber = i % 50 + 1;
            r.correction = QString(40, QChar('x'));
            runs.emplace_back(r);
        }
        ASSERT_FALSE(store->write(runs));
    }
    QByteArray whole = bytesOf(truncated);
    ASSERT_GT(whole.size(), 100000);
    writeBytes(truncated, whole.left(whole.size() / 2));

    // The same event with a page in its middle overwritten.
    const QString garbled = dir.filePath("garbled.vantro");
    QByteArray bad = whole;
    bad.replace(bad.size() / 2 - bad.size() / 2 % 4096, 4096, QByteArray(4096, '\x5a'));
    writeBytes(garbled, bad);

    const QString newer = dir.filePath("newer.vantro");
    {
        StoreError error;
        ASSERT_TRUE(EventStore::create(newer, {}, error));
    }
    sql(newer, "UPDATE schema_version SET version = 99");
    const QString foreign = dir.filePath("foreign.vantro");
    sql(foreign, "CREATE TABLE t (x); INSERT INTO t VALUES (1);");
    QByteArray random(8192, Qt::Uninitialized);
    for (int i = 0; i < random.size(); ++i)
        random[i] = char((i * 7919 + 13) % 251);

    struct Case {
        const char* name;
        QString path;
        QByteArray bytes; // written unless empty
        StoreErrorKind kind;
    };
    const Case cases[] = {
        {"text file", dir.filePath("notes.vantro"), "Nr;Name\n1;Anna\n", StoreErrorKind::NotAnEvent},
        {"random bytes", dir.filePath("random.vantro"), random, StoreErrorKind::NotAnEvent},
        {"empty file", dir.filePath("empty.vantro"), {}, StoreErrorKind::NotAnEvent},
        {"another program's database", foreign, {}, StoreErrorKind::NotAnEvent},
        {"newer schema", newer, {}, StoreErrorKind::NewerSchema},
        {"truncated", truncated, {}, StoreErrorKind::Damaged},
        {"a page overwritten", garbled, {}, StoreErrorKind::Damaged},
    };
    for (const Case& c : cases) {
        if (!c.bytes.isEmpty())
            writeBytes(c.path, c.bytes);
        else if (!QFile::exists(c.path))
            writeBytes(c.path, {});
        const QByteArray before = bytesOf(c.path);
        StoreError error;
        EXPECT_FALSE(EventStore::open(c.path, error)) << c.name;
        EXPECT_EQ(error.kind, c.kind) << c.name << ": " << error.message.toStdString();
        EXPECT_TRUE(error.message.contains(c.path)) << c.name << ": " << error.message.toStdString();
        EXPECT_EQ(bytesOf(c.path), before) << c.name;
    }
}

TEST(EventStore, ANewEventNeverReplacesAnExistingFile) {
    QTemporaryDir dir;
    const QString path = newEventFilePath(dir.filePath("events"), QDate(2026, 5, 17));
    EXPECT_EQ(path, dir.filePath("events/2026-05-17.vantro"));
    StoreError error;
    auto first = EventStore::create(path, {QStringLiteral("Erstes"), {}, {}}, error);
    ASSERT_TRUE(first) << error.message.toStdString();
    EXPECT_FALSE(EventStore::create(path, {}, error));
    EXPECT_EQ(error.kind, StoreErrorKind::AlreadyExists);
    EXPECT_EQ(newEventFilePath(dir.filePath("events"), QDate(2026, 5, 17)),
              dir.filePath("events/2026-05-17-2.vantro"));
    EventData d;
    ASSERT_FALSE(first->load(d));
    EXPECT_EQ(d.info.name, "Erstes");
}
