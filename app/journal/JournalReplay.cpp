#include "app/journal/JournalReplay.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <algorithm>
#include <optional>

namespace {

bool isEmptyRow(const ProtocolLine& line) {
    return line.who.isEmpty() && line.time.isEmpty() && line.speed.isEmpty() && line.note.isEmpty();
}

} // namespace

bool JournalReplay::HasText() const {
    return std::any_of(lines.cbegin(), lines.cend(), [](const ProtocolLine& l) { return !isEmptyRow(l); });
}

void AddJournalRow(QList<ProtocolLine>& rows, const ProtocolLine& line, qsizetype fixedRows) {
    if (rows.size() > fixedRows && isEmptyRow(rows.last()))
        rows.last() = line;
    else
        rows.append(line);
}

JournalReplay ReplayJournal(QByteArrayView contents) {
    JournalReplay r;
    // A snapshot being read: its rows (a Grid snapshot's header row first) and how many are due.
    std::optional<QList<ProtocolLine>> snapshot;
    bool snapshotHasHeader = false;
    int snapshotLeft = 0;
    // A session began and its protocol is not complete yet: the lines before it stand until then.
    bool startPending = false;
    auto settle = [&] {
        startPending = false;
        r.settled = true;
    };
    auto takeSnapshot = [&] {
        QList<ProtocolLine> rows = std::move(*snapshot);
        snapshot.reset();
        if (snapshotHasHeader && !rows.isEmpty())
            r.header = rows.takeFirst();
        r.lines = std::move(rows);
        settle();
    };
    qsizetype from = 0;
    while (from < contents.size()) {
        qsizetype eol = contents.indexOf('\n', from);
        // A last line without its newline was cut off while it was written.
        const bool complete = eol >= 0;
        if (!complete)
            eol = contents.size();
        const QByteArrayView text = contents.sliced(from, eol - from);
        from = eol + 1;
        if (text.isEmpty())
            continue;
        const std::optional<JournalRecord> rec = complete ? ParseJournalLine(text) : std::nullopt;
        if (!rec) {
            ++r.damaged;
            continue;
        }
        if (rec->kind == JournalKind::Line && snapshot) {
            snapshot->append(rec->line);
            if (--snapshotLeft == 0)
                takeSnapshot();
            continue;
        }
        // Any other record ends a snapshot short of its lines: it is dropped, the lines before it
        // stand (it was cut off by a crash, or lost lines to damage).
        snapshot.reset();
        // Any record of a session shows there was one, even when its Open line was damaged; a
        // record after a clean end belongs to the next session.
        if (rec->kind != JournalKind::Header && rec->kind != JournalKind::Open) {
            if (r.closed && rec->kind != JournalKind::Closed) {
                r.closed = false;
                r.edges = 0;
                startPending = true;
            }
            r.hasSession = true;
        }
        switch (rec->kind) {
        case JournalKind::Open:
            r.hasSession = true;
            r.closed = false;
            r.edges = 0;
            startPending = true;
            break;
        case JournalKind::Continued:
            r.hasSession = true;
            r.closed = false;
            break;
        case JournalKind::Snapshot:
        case JournalKind::Grid:
            if (rec->count == 0) {
                r.lines.clear();
                settle();
            } else {
                snapshot.emplace();
                snapshotHasHeader = rec->kind == JournalKind::Grid;
                snapshotLeft = rec->count;
            }
            break;
        case JournalKind::Kept:
            settle();
            break;
        case JournalKind::Line:
            if (startPending) {
                // A session that journals lines without a snapshot began with an empty protocol.
                r.lines.clear();
                r.header.reset();
                settle();
            }
            AddJournalRow(r.lines, rec->line, 0);
            r.settled = true;
            break;
        case JournalKind::Edge:
            ++r.edges;
            break;
        case JournalKind::Closed:
            r.closed = true;
            break;
        case JournalKind::Header:
            break;
        }
    }
    r.pending = startPending || snapshot.has_value();
    return r;
}

QString JournalFileName(const QDate& day) {
    return QStringLiteral("journal-") + day.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(".log");
}

QDate JournalFileDay(const QString& fileName) {
    static const QRegularExpression pattern(QStringLiteral("^journal-(\\d{4}-\\d{2}-\\d{2})\\.log$"));
    const QRegularExpressionMatch m = pattern.match(fileName);
    if (!m.hasMatch())
        return QDate();
    return QDate::fromString(m.captured(1), QStringLiteral("yyyy-MM-dd"));
}

QStringList JournalFiles(const QString& directory) {
    QStringList files;
    const QStringList names =
        QDir(directory).entryList({QStringLiteral("journal-*.log")}, QDir::Files, QDir::Name);
    for (const QString& name : names)
        if (JournalFileDay(name).isValid())
            files.append(QDir(directory).filePath(name));
    return files;
}

int PruneJournals(const QString& directory, const QDate& today, int keepDays) {
    int removed = 0;
    const QDate oldest = today.addDays(-keepDays);
    for (const QString& path : JournalFiles(directory)) {
        if (JournalFileDay(QFileInfo(path).fileName()) < oldest && QFile::remove(path))
            ++removed;
    }
    return removed;
}
