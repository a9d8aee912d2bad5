#include "JournalReplay.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <optional>

JournalReplay ReplayJournal(QByteArrayView contents) {
    JournalReplay r;
    std::optional<QList<ProtocolLine>> snapshot; // a snapshot being read
    int snapshotLeft = 0;
    auto endSnapshot = [&] {
        // A later record ends a snapshot that lost lines to damage: what it has is the best left.
        if (snapshot)
            r.lines = std::move(*snapshot);
        snapshot.reset();
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
                endSnapshot();
            continue;
        }
        endSnapshot();
        // Any record of a session shows there was one, even when its Open line was damaged; a
        // record after a clean end belongs to the next session.
        if (rec->kind != JournalKind::Header && rec->kind != JournalKind::Open) {
            if (r.closed && rec->kind != JournalKind::Closed) {
                r.closed = false;
                r.lines.clear();
                r.edges = 0;
            }
            r.hasSession = true;
        }
        switch (rec->kind) {
        case JournalKind::Open:
            r.hasSession = true;
            r.closed = false;
            r.lines.clear();
            r.edges = 0;
            break;
        case JournalKind::Continued:
            r.hasSession = true;
            r.closed = false;
            break;
        case JournalKind::Snapshot:
            if (rec->count == 0)
                r.lines.clear();
            else {
                snapshot.emplace();
                snapshotLeft = rec->count;
            }
            break;
        case JournalKind::Line:
            r.lines.append(rec->line);
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
    // A snapshot still open here was cut short: the protocol before it stands.
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
