#pragma once

#include "app/journal/JournalFormat.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

/// What a journal file tells about its last session.
struct JournalReplay {
    bool hasSession = false;            ///< the file holds a session (an Open or Continued record)
    bool closed = false;                ///< that session ended cleanly
    std::optional<ProtocolLine> header; ///< the grid's header row, when the journal holds it
    QList<ProtocolLine> lines;          ///< the protocol's rows below the header, empty rows included
    bool pending = false;               ///< it ends inside a snapshot or before a session's protocol
    bool settled = false;               ///< the file itself holds a complete protocol (not only pending)
    int damaged = 0;                    ///< lines that could not be read and were skipped
    int edges = 0;                      ///< light-barrier passes journalled in the session

    /// Whether a row holds any text.
    bool HasText() const;
};

/// Replays the contents of one journal file: the protocol of the last session, and whether it
/// ended cleanly. Damaged lines are skipped. A snapshot that is not complete never replaces the
/// lines it was copying, and a session's start keeps the lines before it until its own protocol
/// (a snapshot, or the note that it kept the restored one) is complete.
JournalReplay ReplayJournal(QByteArrayView contents);

/// Adds a line to `rows` as the grid adds a row: an empty last row (below the first
/// `fixedRows`) takes it, otherwise it is appended.
void AddJournalRow(QList<ProtocolLine>& rows, const ProtocolLine& line, qsizetype fixedRows);

/// File name of the journal of `day` ("journal-2026-12-08.log").
QString JournalFileName(const QDate& day);
/// The day of a journal file name; invalid for any other name.
QDate JournalFileDay(const QString& fileName);
/// The journal files in `directory`, oldest day first.
QStringList JournalFiles(const QString& directory);
/// Removes the journals in `directory` older than `keepDays` days before `today`. Returns the
/// number removed.
int PruneJournals(const QString& directory, const QDate& today, int keepDays);
