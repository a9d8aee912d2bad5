#include "event/EventStore.h"

#include "event/EventStoreSchema.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>

#include <sqlite3.h>

namespace {

QString shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

StoreErrorKind kindOf(int code, StoreErrorKind fallback) {
    switch (code & 0xff) {
    case SQLITE_NOTADB:
        return StoreErrorKind::NotAnEvent;
    case SQLITE_CORRUPT:
        return StoreErrorKind::Damaged;
    case SQLITE_FULL:
        return StoreErrorKind::DiskFull;
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_CANTOPEN:
        return StoreErrorKind::NotWritable;
    default:
        return fallback;
    }
}

StoreError makeError(StoreErrorKind kind, const QString& path, const QString& detail = {}) {
    QString text;
    switch (kind) {
    case StoreErrorKind::None:
        return {};
    case StoreErrorKind::NotAnEvent:
        text = QCoreApplication::translate(
            "EventStore", "Die Datei „%1“ ist keine Veranstaltungsdatei und wird nicht geöffnet.");
        break;
    case StoreErrorKind::NewerSchema:
        text = QCoreApplication::translate(
            "EventStore",
            "Die Veranstaltungsdatei „%1“ stammt von einer neueren Programmversion und wird nicht "
            "geöffnet.");
        break;
    case StoreErrorKind::Damaged:
        text = QCoreApplication::translate(
            "EventStore", "Die Veranstaltungsdatei „%1“ ist beschädigt und wird nicht geöffnet.");
        break;
    case StoreErrorKind::NotWritable:
        text = QCoreApplication::translate(
            "EventStore",
            "In die Veranstaltungsdatei „%1“ kann nicht geschrieben werden (schreibgeschützt oder "
            "keine Berechtigung).");
        break;
    case StoreErrorKind::DiskFull:
        text = QCoreApplication::translate(
            "EventStore",
            "Der Datenträger ist voll: die Veranstaltungsdatei „%1“ kann nicht geschrieben werden.");
        break;
    case StoreErrorKind::AlreadyExists:
        text = QCoreApplication::translate(
            "EventStore", "Die Veranstaltungsdatei „%1“ gibt es schon; sie wird nicht überschrieben.");
        break;
    case StoreErrorKind::Other:
        text = QCoreApplication::translate("EventStore", "Fehler bei der Veranstaltungsdatei „%1“.");
        break;
    }
    text = text.arg(shown(path));
    if (!detail.isEmpty())
        text += QLatin1Char(' ') + QCoreApplication::translate("EventStore", "(%1)").arg(detail);
    return {kind, text};
}

// Reads one integer; the statement's error code when it fails.
int queryInt(sqlite3* db, const char* sql, int64_t& value) {
    sqlite3_stmt* st = nullptr;
    int rc = sqlite3_prepare_v2(db, sql, -1, &st, nullptr);
    if (rc != SQLITE_OK)
        return rc;
    rc = sqlite3_step(st);
    if (rc == SQLITE_ROW) {
        value = sqlite3_column_int64(st, 0);
        rc = SQLITE_OK;
    } else if (rc == SQLITE_DONE) {
        rc = SQLITE_EMPTY;
    }
    sqlite3_finalize(st);
    return rc;
}

} // namespace

int EventStore::currentSchemaVersion() {
    return eventSchemaSteps().back().version;
}

EventStore::EventStore(sqlite3* db, QString path) : m_db(db), m_path(std::move(path)) {}

EventStore::~EventStore() {
    sqlite3_close_v2(m_db);
}

StoreError EventStore::error(int code, StoreErrorKind fallback) const {
    // SQLite's own text is English; a fault of the disk gets a German one.
    const QString detail =
        (code & 0xff) == SQLITE_IOERR
            ? QCoreApplication::translate("EventStore", "Schreib- oder Lesefehler des Datenträgers")
            : QString::fromUtf8(sqlite3_errmsg(m_db));
    return makeError(kindOf(code, fallback), m_path, detail);
}

StoreError EventStore::exec(const char* sql) {
    const int rc = sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr);
    return rc == SQLITE_OK ? StoreError{} : error(rc);
}

StoreError EventStore::migrate(int fromVersion) {
    return inTransaction([&]() -> StoreError {
        for (const SchemaStep& step : eventSchemaSteps()) {
            if (step.version <= fromVersion)
                continue;
            if (StoreError e = exec(step.sql))
                return e;
        }
        return {};
    });
}

std::unique_ptr<EventStore> EventStore::open(const QString& path, StoreError& err) {
    err = {};
    if (!QFileInfo(path).isFile()) {
        err = makeError(StoreErrorKind::Other, path,
                        QCoreApplication::translate("EventStore", "Datei nicht gefunden"));
        return nullptr;
    }
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    std::unique_ptr<EventStore> store(new EventStore(db, path));
    if (rc != SQLITE_OK) {
        err = store->error(rc);
        return nullptr;
    }
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_timeout(db, 2000);

    // Only reads until the file is known to be an event of a version this program knows, so a
    // refused file is left exactly as it was.
    int64_t appId = 0;
    rc = queryInt(db, "PRAGMA application_id", appId);
    if (rc != SQLITE_OK) {
        err = store->error(rc, StoreErrorKind::NotAnEvent);
        return nullptr;
    }
    if (appId != EventApplicationId) {
        err = makeError(StoreErrorKind::NotAnEvent, path);
        return nullptr;
    }
    int64_t version = 0;
    rc = queryInt(db, "SELECT version FROM schema_version", version);
    if (rc != SQLITE_OK) {
        err = store->error(rc, StoreErrorKind::Damaged);
        return nullptr;
    }
    if (version > currentSchemaVersion()) {
        err = makeError(
            StoreErrorKind::NewerSchema, path,
            QCoreApplication::translate("EventStore", "Version %1, dieses Programm kennt bis Version %2")
                .arg(version)
                .arg(currentSchemaVersion()));
        return nullptr;
    }
    if (version < 1) {
        err = makeError(StoreErrorKind::Damaged, path);
        return nullptr;
    }
    sqlite3_stmt* check = nullptr;
    rc = sqlite3_prepare_v2(db, "PRAGMA quick_check", -1, &check, nullptr);
    if (rc == SQLITE_OK)
        rc = sqlite3_step(check);
    const bool healthy =
        rc == SQLITE_ROW && QByteArray(reinterpret_cast<const char*>(sqlite3_column_text(check, 0))) == "ok";
    sqlite3_finalize(check);
    if (!healthy) {
        err = makeError(StoreErrorKind::Damaged, path);
        return nullptr;
    }
    if ((err = store->exec("PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL; PRAGMA foreign_keys=ON")))
        return nullptr;
    if (sqlite3_db_readonly(db, "main") == 1) {
        err = makeError(StoreErrorKind::NotWritable, path);
        return nullptr;
    }
    if (version < currentSchemaVersion() && (err = store->migrate(int(version))))
        return nullptr;
    return store;
}

std::unique_ptr<EventStore> EventStore::create(const QString& path, const EventInfo& info, StoreError& err) {
    err = {};
    if (QFileInfo::exists(path)) {
        err = makeError(StoreErrorKind::AlreadyExists, path);
        return nullptr;
    }
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        err = makeError(StoreErrorKind::NotWritable, path);
        return nullptr;
    }
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    std::unique_ptr<EventStore> store(new EventStore(db, path));
    // A half-made file would be refused as "not an event" later; it goes.
    auto removeHalfMade = qScopeGuard([&] {
        store.reset();
        for (const char* suffix : {"", "-wal", "-shm"})
            QFile::remove(path + QLatin1String(suffix));
    });
    if (rc != SQLITE_OK) {
        err = store->error(rc);
        return nullptr;
    }
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_timeout(db, 2000);
    const QByteArray pragmas = "PRAGMA application_id=" + QByteArray::number(EventApplicationId) +
                               "; PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL; PRAGMA foreign_keys=ON";
    if ((err = store->exec(pragmas.constData())) || (err = store->migrate(0)) ||
        (err = store->write({info, EventRules{}})))
        return nullptr;
    removeHalfMade.dismiss();
    return store;
}
