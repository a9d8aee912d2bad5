#pragma once

#include "event/Competitor.h"
#include "event/EventInfo.h"
#include "event/ResultsSheet.h"
#include "event/Standings.h"

#include <QByteArray>
#include <QList>
#include <QString>

// The results of an event as files: CSV (semicolon, decimal comma, UTF-8 with byte-order mark),
// .xlsx (times as numbers with a number format) and a standalone HTML page. `extra` sections (the
// audit list) follow the results. Every writer saves
// through a file beside the target, so a failed save leaves an earlier file as it was; each returns
// an empty text on success, else a German message naming the file.

/// The CSV text: title lines, then per section its title, the headings and the rows, a blank line
/// between sections.
QString resultsCsv(const Standings& standings, const EventInfo& info, int resolution,
                   const QList<SheetSection>& extra = {});

/// Writes `resultsCsv` to `path` as UTF-8 with byte-order mark.
QString saveResultsCsv(const QString& path, const Standings& standings, const EventInfo& info, int resolution,
                       const QList<SheetSection>& extra = {});

/// The standalone HTML page (inline style, every text escaped).
QString resultsHtml(const Standings& standings, const EventInfo& info, int resolution,
                    const QList<SheetSection>& extra = {});

/// Writes `resultsHtml` to `path` as UTF-8.
QString saveResultsHtml(const QString& path, const Standings& standings, const EventInfo& info,
                        int resolution, const QList<SheetSection>& extra = {});

/// Writes the results as an .xlsx workbook with one worksheet "Ergebnisse". The C library's numeric
/// locale must be "C" (the spreadsheet library prints numbers with printf); otherwise nothing is
/// written and the message says so.
QString saveResultsXlsx(const QString& path, const Standings& standings, const EventInfo& info,
                        int resolution, const QList<SheetSection>& extra = {});

/// Writes the start list as CSV (see `startListFileBytes`).
QString saveStartList(const QString& path, const QList<Competitor>& competitors);
