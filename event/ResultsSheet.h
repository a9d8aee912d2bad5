#pragma once

#include "event/EventData.h"
#include "event/EventInfo.h"
#include "event/Standings.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

/// One cell of a results table as every exporter writes it.
struct SheetCell {
    QString text;                ///< as shown, German ("43,12", "DNF")
    std::optional<double> value; ///< the number behind the text (seconds, places), for spreadsheets
    int decimals = 0;            ///< decimals of `value` as shown
    QString note;                ///< what else the page shows under the text (penalties, marks)
    QStringList marks;           ///< "training", "dropped", "void", "corrected", "dsq" for the page's styles

    bool operator==(const SheetCell&) const = default;
};

/// One titled table of the results (a class, the overall ranking, the teams, the honours).
struct SheetSection {
    QString title;
    QStringList headings;
    QList<QList<SheetCell>> rows;
};

/// The results of an event laid out for the exporters: one section per class, the overall ranking
/// when there is more than one class, the team ranking when there is one, the honours when there
/// are any. Times at `resolution` decimals.
QList<SheetSection> resultSections(const Standings& standings, int resolution);

/// The title lines above the sections: "Ergebnisliste", the event's name, date and place.
QStringList resultTitleLines(const EventInfo& info);

/// The audit list as a section ("Änderungsprotokoll"), oldest first: time, kind, the run or entry
/// concerned, what changed, old and new value, reason.
SheetSection auditSection(const EventData& data);
