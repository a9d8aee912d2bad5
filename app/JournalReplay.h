#pragma once

#include "app/JournalFormat.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

/// What a journal file tells about its last session.
struct JournalReplay {
    bool hasSession = false;   ///< the file holds a session (an Open or Continued record)
    bool closed = false;       ///< that session ended cleanly
    QList<ProtocolLine> lines; ///< the protocol as the session last held it
    int damaged = 0;           ///< lines that could not be read and were skipped
    int edges = 0;             ///< light-barrier passes journalled in the session
};

/// Replays the contents of one journal file: the protocol lines of the last session, and
/// whether it ended cleanly. Damaged lines are skipped; a snapshot cut short by the end of the
/// file (the program ended while writing it) leaves the protocol as it was before the snapshot.
JournalReplay ReplayJournal(QByteArrayView contents);

/// File name of the journal of `day` ("journal-2026-12-08.log").
QString JournalFileName(const QDate& day);
/// The day of a journal file name; invalid for any other name.
QDate JournalFileDay(const QString& fileName);
/// The journal files in `directory`, oldest day first.
QStringList JournalFiles(const QString& directory);
/// Removes the journals in `directory` older than `keepDays` days before `today`. Returns the
/// number removed.
int PruneJournals(const QString& directory, const QDate& today, int keepDays);
