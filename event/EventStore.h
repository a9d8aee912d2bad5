#pragma once

#include "event/EventData.h"
#include "event/EventSink.h"
#include "event/StoreError.h"

#include <QString>

#include <memory>

struct sqlite3;

/// One event's durable record: an SQLite file (write-ahead log, every commit synchronous, foreign
/// keys on) with a schema version that older files are migrated forward from. Records are written
/// whole under their keys and never deleted; a removed run or entry is only marked.
///
/// A store is used by one thread at a time: the GUI thread loads, then hands the store to the
/// event writer's worker.
class EventStore : public EventSink {
public:
    /// The schema this program writes; files of older versions are migrated to it on opening.
    static int currentSchemaVersion();

    /// Opens an existing event file. Refuses (null, `error` set, the file left as it was) a file
    /// that is not an event, one of a newer schema and a damaged one.
    static std::unique_ptr<EventStore> open(const QString& path, StoreError& error);

    /// Creates a new event file with `info`; refuses to write over an existing file.
    static std::unique_ptr<EventStore> create(const QString& path, const EventInfo& info, StoreError& error);

    ~EventStore() override;
    EventStore(const EventStore&) = delete;
    EventStore& operator=(const EventStore&) = delete;

    /// The file's path.
    QString path() const { return m_path; }

    /// Reads the whole event in one read transaction.
    StoreError load(EventData& data);

    /// Writes all items in one synchronous transaction (see EventSink).
    StoreError write(const std::vector<EventWriteItem>& items) override;

private:
    EventStore(sqlite3* db, QString path);
    StoreError writeItem(const EventWriteItem& item);
    StoreError error(int code, StoreErrorKind fallback = StoreErrorKind::Other) const;
    StoreError exec(const char* sql);
    StoreError migrate(int fromVersion);
    /// Runs `body` in one immediate transaction: committed when it returns no error, else rolled back.
    template <typename Body> StoreError inTransaction(Body&& body) {
        if (StoreError e = exec("BEGIN IMMEDIATE"))
            return e;
        StoreError e = body();
        if (!e)
            e = exec("COMMIT");
        if (e)
            exec("ROLLBACK");
        return e;
    }

    sqlite3* m_db = nullptr;
    QString m_path;
};
