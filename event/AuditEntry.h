#pragma once

#include <QDateTime>
#include <QString>

#include <cstdint>

/// How an audit entry came about.
enum class AuditAction : uint8_t {
    Edit, ///< a change by hand
    Undo, ///< the change taken back ("Rückgängig")
    Redo  ///< the change made again ("Wiederholen")
};

/// One line of the audit list: what was changed by hand, when, from what to what, and why.
struct AuditEntry {
    int64_t id = 0; ///< the store's key; given by the model
    QDateTime time; ///< when the change was made (local time of day)
    AuditAction action = AuditAction::Edit;
    int64_t runId = 0;        ///< the run changed, 0 if none
    int64_t competitorId = 0; ///< the start-list entry changed, 0 if none
    QString what;             ///< what was changed, in German ("Pylonen/Tore", "Status", ...)
    QString oldValue;
    QString newValue;
    QString reason; ///< optional, as the person gave it

    bool operator==(const AuditEntry&) const = default;
};
