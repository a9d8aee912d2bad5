#include "event/EventStoreSchema.h"

#include <array>

namespace {

// A step is never changed once released: files of its version exist. Changes come as new steps.
constexpr std::array<SchemaStep, 2> Steps{{
    {1, R"sql(
CREATE TABLE schema_version (version INTEGER NOT NULL);
INSERT INTO schema_version VALUES (1);
CREATE TABLE info (
    id INTEGER PRIMARY KEY CHECK (id = 1),
    name TEXT NOT NULL, date TEXT NOT NULL, place TEXT NOT NULL);
CREATE TABLE rules (id INTEGER PRIMARY KEY CHECK (id = 1), json TEXT NOT NULL);
CREATE TABLE competitors (
    id INTEGER PRIMARY KEY, start_number INTEGER NOT NULL,
    first_name TEXT NOT NULL, last_name TEXT NOT NULL, class TEXT NOT NULL, club TEXT NOT NULL,
    vehicle TEXT NOT NULL, year_of_birth INTEGER NOT NULL, sex INTEGER NOT NULL,
    deleted INTEGER NOT NULL);
CREATE TABLE runs (
    id INTEGER PRIMARY KEY, start_number INTEGER NOT NULL, run_number INTEGER NOT NULL,
    start_time TEXT, run_ms INTEGER, lap_ms INTEGER, speed INTEGER, status INTEGER NOT NULL,
    dsq_reason TEXT NOT NULL, cones INTEGER NOT NULL, gates INTEGER NOT NULL,
    training INTEGER NOT NULL, voided INTEGER NOT NULL, deleted INTEGER NOT NULL);
CREATE TABLE audit (
    id INTEGER PRIMARY KEY, time TEXT NOT NULL, action INTEGER NOT NULL,
    run_id INTEGER REFERENCES runs(id), competitor_id INTEGER REFERENCES competitors(id),
    what TEXT NOT NULL, old_value TEXT NOT NULL, new_value TEXT NOT NULL, reason TEXT NOT NULL);
CREATE TRIGGER runs_kept BEFORE DELETE ON runs BEGIN SELECT RAISE(ABORT, 'runs are marked, never deleted'); END;
CREATE TRIGGER competitors_kept BEFORE DELETE ON competitors BEGIN SELECT RAISE(ABORT, 'entries are marked, never deleted'); END;
CREATE TRIGGER audit_kept BEFORE DELETE ON audit BEGIN SELECT RAISE(ABORT, 'the audit list is never cut'); END;
)sql"},
    // The plausibility flag and the reason of a correction after the fact.
    {2, R"sql(
ALTER TABLE runs ADD COLUMN needs_check INTEGER NOT NULL DEFAULT 0;
ALTER TABLE runs ADD COLUMN correction TEXT NOT NULL DEFAULT '';
UPDATE schema_version SET version = 2;
)sql"},
}};

} // namespace

std::span<const SchemaStep> eventSchemaSteps() {
    return Steps;
}
