#pragma once

#include "app/run/BarrierGate.h"
#include "app/run/ProtocolLine.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <cstdint>
#include <optional>

/// The kinds of journal records.
enum class JournalKind : char {
    Header = 'H',    ///< first line of a file: format name and version
    Open = 'O',      ///< a session of the program began
    Continued = 'R', ///< the session goes on in a new day's file (a snapshot follows)
    Snapshot = 'C',  ///< the protocol is replaced by the `count` Line records that follow
    Grid = 'G',      ///< the grid is replaced by the `count` rows that follow, its header row first
    Kept = 'K',      ///< after Open: the protocol is the one this file's last session left (restored)
    Line = 'L',      ///< a protocol line
    Edge = 'E',      ///< a light-barrier pass with its tick and what it did
    Closed = 'Z',    ///< the session ended cleanly
};

/// One record of the protocol journal.
struct JournalRecord {
    JournalKind kind = JournalKind::Line;
    QDateTime at;                             ///< local time it was written (not Header)
    ProtocolLine line;                        ///< Line
    int count = 0;                            ///< Snapshot, Grid: lines that follow; Header: version
    uint32_t tick = 0;                        ///< Edge
    EdgeOutcome outcome = EdgeOutcome::Start; ///< Edge
    qint64 pid = 0;                           ///< Open

    bool operator==(const JournalRecord&) const = default;
};

/// Version written into the Header record.
constexpr int JournalFormatVersion = 2;

/// One journal line with its newline: eight hex digits of the CRC-32 of the payload, a space and
/// the payload, which is the kind letter and the fields, each after a tab. Fields are UTF-8 with
/// backslash, tab, LF and CR written as \\, \t, \n and \r, so a record is always one line.
/// Times are local "yyyy-MM-ddTHH:mm:ss.zzz".
QByteArray FormatJournalLine(const JournalRecord& record);

/// Parses one journal line (with or without its newline). Anything that is not exactly a line
/// FormatJournalLine writes (a torn write, a damaged byte, an unknown kind, a wrong field count,
/// a bad number or time) gives nothing. Never throws; any input is safe.
std::optional<JournalRecord> ParseJournalLine(QByteArrayView line);

/// The word an outcome is journalled as ("start", "lap", "stop", "after-stop", "dead-time").
const char* EdgeOutcomeWord(EdgeOutcome outcome);

/// CRC-32 (the zlib polynomial) of `data`.
uint32_t JournalCrc32(QByteArrayView data);
