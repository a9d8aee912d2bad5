#pragma once

#include <QDate>
#include <QString>

/// Name, date and place of an event.
struct EventInfo {
    QString name; ///< named by the date until renamed
    QDate date;
    QString place;

    bool operator==(const EventInfo&) const = default;
};
