// Reading and writing the records of the event store.
#include "event/EventStore.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <sqlite3.h>

namespace {

// A prepared statement that is finalized when it goes out of scope.
class Statement {
public:
    Statement(sqlite3* db, const char* sql) { m_rc = sqlite3_prepare_v2(db, sql, -1, &m_st, nullptr); }
    ~Statement() { sqlite3_finalize(m_st); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    int prepared() const { return m_rc; }
    void bind(int i, int64_t v) { sqlite3_bind_int64(m_st, i, v); }
    void bind(int i, const QString& v) {
        const QByteArray utf8 = v.toUtf8();
        sqlite3_bind_text(m_st, i, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
    }
    void bind(int i, const QDateTime& v) {
        if (v.isValid())
            bind(i, v.toString(Qt::ISODateWithMs));
        else
            sqlite3_bind_null(m_st, i);
    }
    template <typename T> void bind(int i, const std::optional<T>& v) {
        if (v)
            bind(i, int64_t(*v));
        else
            sqlite3_bind_null(m_st, i);
    }
    int step() { return sqlite3_step(m_st); }

    int64_t integer(int i) const { return sqlite3_column_int64(m_st, i); }
    QString text(int i) const {
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(m_st, i)),
                                 sqlite3_column_bytes(m_st, i));
    }
    QDateTime time(int i) const {
        if (isNull(i))
            return {};
        const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(m_st, i));
        const int size = sqlite3_column_bytes(m_st, i);
        // The form this store writes is read by hand: QDateTime::fromString would take most of the
        // time of opening a large event.
        if (size == 23 && p[4] == '-' && p[7] == '-' && p[10] == 'T' && p[13] == ':' && p[16] == ':' &&
            p[19] == '.') {
            auto n = [p](int at, int digits) {
                int v = 0;
                for (int k = 0; k < digits; ++k)
                    v = v * 10 + (p[at + k] - '0');
                return v;
            };
            const QDateTime t(QDate(n(0, 4), n(5, 2), n(8, 2)),
                              QTime(n(11, 2), n(14, 2), n(17, 2), n(20, 3)));
            if (t.isValid())
                return t;
        }
        return QDateTime::fromString(text(i), Qt::ISODateWithMs);
    }
    bool isNull(int i) const { return sqlite3_column_type(m_st, i) == SQLITE_NULL; }
    template <typename T> std::optional<T> optional(int i) const {
        return isNull(i) ? std::nullopt : std::optional<T>(T(integer(i)));
    }

private:
    sqlite3_stmt* m_st = nullptr;
    int m_rc = SQLITE_OK;
};

QByteArray rulesToJson(const EventRules& r) {
    QJsonArray classes;
    for (const ClassBand& band : r.classTable)
        classes.append(QJsonObject{{"class", band.className}, {"from", band.fromYear}, {"to", band.toYear}});
    const QJsonObject teams{{"enabled", r.teams.enabled},
                            {"maxMembers", r.teams.maxMembers},
                            {"differentClasses", r.teams.membersFromDifferentClasses},
                            {"scoring", int(r.teams.scoring)}};
    const QJsonObject o{{"scoring", int(r.scoring)},
                        {"bestN", r.bestN},
                        {"coneMs", r.conePenaltyMs},
                        {"gateMs", r.gatePenaltyMs},
                        {"firstRunIsTraining", r.firstRunIsTraining},
                        {"classTable", classes},
                        {"teams", teams},
                        {"minRunMs", r.minRunTimeMs},
                        {"maxRunMs", r.maxRunTimeMs},
                        {"maxSpeed", QString::number(r.maxSpeed)}};
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

// Keys a file does not have keep their defaults, so rules added later read from older files.
EventRules rulesFromJson(const QByteArray& json) {
    EventRules r;
    const QJsonObject o = QJsonDocument::fromJson(json).object();
    r.scoring = Scoring(o.value("scoring").toInt(int(r.scoring)));
    r.bestN = o.value("bestN").toInt(r.bestN);
    r.conePenaltyMs = o.value("coneMs").toInt(r.conePenaltyMs);
    r.gatePenaltyMs = o.value("gateMs").toInt(r.gatePenaltyMs);
    r.firstRunIsTraining = o.value("firstRunIsTraining").toBool(r.firstRunIsTraining);
    for (const QJsonValue& v : o.value("classTable").toArray()) {
        const QJsonObject b = v.toObject();
        r.classTable.append({b.value("class").toString(), b.value("from").toInt(), b.value("to").toInt()});
    }
    const QJsonObject t = o.value("teams").toObject();
    r.teams.enabled = t.value("enabled").toBool(r.teams.enabled);
    r.teams.maxMembers = t.value("maxMembers").toInt(r.teams.maxMembers);
    r.teams.membersFromDifferentClasses =
        t.value("differentClasses").toBool(r.teams.membersFromDifferentClasses);
    r.teams.scoring = TeamScoring(t.value("scoring").toInt(int(r.teams.scoring)));
    r.minRunTimeMs = o.value("minRunMs").toInt(r.minRunTimeMs);
    r.maxRunTimeMs = o.value("maxRunMs").toInt(r.maxRunTimeMs);
    r.maxSpeed = o.value("maxSpeed").toString().toLongLong();
    return r;
}

// Fills one record's statement and runs it; SQLite's result code.
int put(sqlite3* db, const EventInfo& info) {
    Statement st(db, "INSERT INTO info (id, name, date, place) VALUES (1, ?1, ?2, ?3) "
                     "ON CONFLICT(id) DO UPDATE SET name = excluded.name, date = excluded.date, "
                     "place = excluded.place");
    if (st.prepared() != SQLITE_OK)
        return st.prepared();
    st.bind(1, info.name);
    st.bind(2, info.date.toString(Qt::ISODate));
    st.bind(3, info.place);
    return st.step();
}

int put(sqlite3* db, const EventRules& rules) {
    Statement st(db, "INSERT INTO rules (id, json) VALUES (1, ?1) "
                     "ON CONFLICT(id) DO UPDATE SET json = excluded.json");
    if (st.prepared() != SQLITE_OK)
        return st.prepared();
    st.bind(1, QString::fromUtf8(rulesToJson(rules)));
    return st.step();
}

int put(sqlite3* db, const Competitor& c) {
    Statement st(db,
                 "INSERT INTO competitors (id, start_number, first_name, last_name, class, club, "
                 "vehicle, year_of_birth, sex, deleted) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10) "
                 "ON CONFLICT(id) DO UPDATE SET start_number = excluded.start_number, "
                 "first_name = excluded.first_name, last_name = excluded.last_name, "
                 "class = excluded.class, club = excluded.club, vehicle = excluded.vehicle, "
                 "year_of_birth = excluded.year_of_birth, sex = excluded.sex, deleted = excluded.deleted");
    if (st.prepared() != SQLITE_OK)
        return st.prepared();
    st.bind(1, c.id);
    st.bind(2, c.startNumber);
    st.bind(3, c.firstName);
    st.bind(4, c.lastName);
    st.bind(5, c.className);
    st.bind(6, c.club);
    st.bind(7, c.vehicle);
    st.bind(8, c.yearOfBirth);
    st.bind(9, int64_t(c.sex));
    st.bind(10, c.deleted);
    return st.step();
}

int put(sqlite3* db, const RunRecord& r) {
    Statement st(db, "INSERT INTO runs (id, start_number, run_number, start_time, run_ms, lap_ms, speed, "
                     "status, dsq_reason, cones, gates, training, voided, deleted, needs_check, correction) "
                     "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, ?15, ?16) "
                     "ON CONFLICT(id) DO UPDATE SET start_number = excluded.start_number, "
                     "run_number = excluded.run_number, start_time = excluded.start_time, "
                     "run_ms = excluded.run_ms, lap_ms = excluded.lap_ms, speed = excluded.speed, "
                     "status = excluded.status, dsq_reason = excluded.dsq_reason, cones = excluded.cones, "
                     "gates = excluded.gates, training = excluded.training, voided = excluded.voided, "
                     "deleted = excluded.deleted, needs_check = excluded.needs_check, "
                     "correction = excluded.correction");
    if (st.prepared() != SQLITE_OK)
        return st.prepared();
    st.bind(1, r.id);
    st.bind(2, r.startNumber);
    st.bind(3, r.runNumber);
    st.bind(4, r.startTime);
    st.bind(5, r.runTimeMs);
    st.bind(6, r.lapTimeMs);
    st.bind(7, r.speed);
    st.bind(8, int64_t(r.status));
    st.bind(9, r.disqualifyReason);
    st.bind(10, r.cones);
    st.bind(11, r.gates);
    st.bind(12, r.training);
    st.bind(13, r.voided);
    st.bind(14, r.deleted);
    st.bind(15, r.needsCheck);
    st.bind(16, r.correction);
    return st.step();
}

int put(sqlite3* db, const AuditEntry& a) {
    // Audit entries are only ever added; writing one again (a retried batch) changes nothing.
    Statement st(db, "INSERT INTO audit (id, time, action, run_id, competitor_id, what, old_value, "
                     "new_value, reason) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9) "
                     "ON CONFLICT(id) DO NOTHING");
    if (st.prepared() != SQLITE_OK)
        return st.prepared();
    st.bind(1, a.id);
    st.bind(2, a.time);
    st.bind(3, int64_t(a.action));
    st.bind(4, a.runId ? std::optional<int64_t>(a.runId) : std::nullopt);
    st.bind(5, a.competitorId ? std::optional<int64_t>(a.competitorId) : std::nullopt);
    st.bind(6, a.what);
    st.bind(7, a.oldValue);
    st.bind(8, a.newValue);
    st.bind(9, a.reason);
    return st.step();
}

} // namespace

StoreError EventStore::writeItem(const EventWriteItem& item) {
    const int rc = std::visit([this](const auto& record) { return put(m_db, record); }, item);
    return rc == SQLITE_DONE ? StoreError{} : error(rc);
}

StoreError EventStore::write(const std::vector<EventWriteItem>& items) {
    return inTransaction([&]() -> StoreError {
        for (const EventWriteItem& item : items) {
            if (StoreError e = writeItem(item))
                return e;
        }
        return {};
    });
}

StoreError EventStore::load(EventData& data) {
    data = {};
    if (StoreError e = exec("BEGIN"))
        return e;
    auto fail = [this](int rc) {
        StoreError e = error(rc, StoreErrorKind::Damaged);
        exec("ROLLBACK");
        return e;
    };
    {
        Statement st(m_db, "SELECT name, date, place FROM info WHERE id = 1");
        int rc = st.prepared() == SQLITE_OK ? st.step() : st.prepared();
        if (rc == SQLITE_ROW) {
            data.info.name = st.text(0);
            data.info.date = QDate::fromString(st.text(1), Qt::ISODate);
            data.info.place = st.text(2);
        } else if (rc != SQLITE_DONE) {
            return fail(rc);
        }
    }
    {
        Statement st(m_db, "SELECT json FROM rules WHERE id = 1");
        int rc = st.prepared() == SQLITE_OK ? st.step() : st.prepared();
        if (rc == SQLITE_ROW)
            data.rules = rulesFromJson(st.text(0).toUtf8());
        else if (rc != SQLITE_DONE)
            return fail(rc);
    }
    {
        Statement st(m_db, "SELECT id, start_number, first_name, last_name, class, club, vehicle, "
                           "year_of_birth, sex, deleted FROM competitors ORDER BY id");
        int rc = st.prepared() == SQLITE_OK ? st.step() : st.prepared();
        for (; rc == SQLITE_ROW; rc = st.step()) {
            Competitor c;
            c.id = st.integer(0);
            c.startNumber = int(st.integer(1));
            c.firstName = st.text(2);
            c.lastName = st.text(3);
            c.className = st.text(4);
            c.club = st.text(5);
            c.vehicle = st.text(6);
            c.yearOfBirth = int(st.integer(7));
            c.sex = Sex(st.integer(8));
            c.deleted = st.integer(9) != 0;
            data.competitors.append(std::move(c));
        }
        if (rc != SQLITE_DONE)
            return fail(rc);
    }
    {
        Statement st(m_db, "SELECT id, start_number, run_number, start_time, run_ms, lap_ms, speed, status, "
                           "dsq_reason, cones, gates, training, voided, deleted, needs_check, correction "
                           "FROM runs ORDER BY id");
        int rc = st.prepared() == SQLITE_OK ? st.step() : st.prepared();
        for (; rc == SQLITE_ROW; rc = st.step()) {
            RunRecord r;
            r.id = st.integer(0);
            r.startNumber = int(st.integer(1));
            r.runNumber = int(st.integer(2));
            r.startTime = st.time(3);
            r.runTimeMs = st.optional<int32_t>(4);
            r.lapTimeMs = st.optional<int32_t>(5);
            r.speed = st.optional<int64_t>(6);
            r.status = RunStatus(st.integer(7));
            r.disqualifyReason = st.text(8);
            r.cones = int(st.integer(9));
            r.gates = int(st.integer(10));
            r.training = st.integer(11) != 0;
            r.voided = st.integer(12) != 0;
            r.deleted = st.integer(13) != 0;
            r.needsCheck = st.integer(14) != 0;
            r.correction = st.text(15);
            data.runs.append(std::move(r));
        }
        if (rc != SQLITE_DONE)
            return fail(rc);
    }
    {
        Statement st(m_db, "SELECT id, time, action, run_id, competitor_id, what, old_value, new_value, "
                           "reason FROM audit ORDER BY id");
        int rc = st.prepared() == SQLITE_OK ? st.step() : st.prepared();
        for (; rc == SQLITE_ROW; rc = st.step()) {
            AuditEntry a;
            a.id = st.integer(0);
            a.time = st.time(1);
            a.action = AuditAction(st.integer(2));
            a.runId = st.integer(3);
            a.competitorId = st.integer(4);
            a.what = st.text(5);
            a.oldValue = st.text(6);
            a.newValue = st.text(7);
            a.reason = st.text(8);
            data.audit.append(std::move(a));
        }
        if (rc != SQLITE_DONE)
            return fail(rc);
    }
    exec("COMMIT");
    return {};
}
