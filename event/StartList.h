#pragma once

#include "event/Competitor.h"

#include <QByteArray>
#include <QList>
#include <QString>

/// How the start-list reader treats lines with errors.
enum class StartListMode : uint8_t {
    AllOrNothing,  ///< any error: no competitor is returned
    SkipErrorLines ///< competitors of the good lines are returned; file-level errors still return none
};

/// One problem of a start list. Line 0 is the file as a whole.
struct StartListProblem {
    enum class Severity : uint8_t { Error, Hint };
    int line = 0;
    Severity severity = Severity::Error;
    QString message; ///< German, for the person importing

    bool operator==(const StartListProblem&) const = default;
};

/// What reading a start list gave.
struct StartListResult {
    QList<Competitor> competitors;
    QList<StartListProblem> problems; ///< errors and hints, in line order
    int skippedLines = 0;             ///< lines left out for errors (SkipErrorLines)

    /// True when any problem is an error (hints do not count).
    bool hasErrors() const;
};

/// The largest start-list file read; larger files are refused as a whole.
inline constexpr qsizetype MaxStartListBytes = 4 * 1024 * 1024;

/// Reads a start list a spreadsheet saved as CSV: semicolon, comma or tab separated (taken from the
/// header line), UTF-8 with or without byte-order mark or Windows-1252, quoted fields. The header
/// row names the columns (case and the characters " .-_/" ignored): Nr/Startnummer/Start-Nr.,
/// Name or Vorname + Nachname, Klasse, Verein/Club, Fahrzeug, Jahrgang/Geburtsjahr (a year or a
/// date), Geschlecht/m/w. Every field is trimmed; empty lines are skipped.
StartListResult readStartList(const QByteArray& bytes, StartListMode mode = StartListMode::AllOrNothing);

/// The start list as CSV text (semicolon, CRLF, fields quoted where needed) with a header that
/// `readStartList` reads; deleted competitors are left out. Texts are written trimmed, as the
/// reader reads them.
QString startListCsv(const QList<Competitor>& competitors);

/// `startListCsv` as the bytes of a file: UTF-8 with byte-order mark.
QByteArray startListFileBytes(const QList<Competitor>& competitors);
