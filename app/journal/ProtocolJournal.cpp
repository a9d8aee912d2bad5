#include "app/journal/ProtocolJournal.h"

#include "app/journal/JournalFormat.h"
#include "platform/SystemClock.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString errnoText(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

QString cannotWrite(const QString& where, const QString& why) {
    return QCoreApplication::translate("ProtocolJournal",
                                       "Das Protokoll-Journal kann nicht in „%1“ geschrieben werden: %2.\n"
                                       "Die Zeitnahme läuft weiter, aber ein Absturz verliert alles seit dem "
                                       "letzten Speichern.")
        .arg(where, why);
}

QDateTime now() {
    return platform::systemClock().localDateTime();
}

JournalRecord record(JournalKind kind, const QDateTime& at) {
    JournalRecord r;
    r.kind = kind;
    r.at = at;
    return r;
}

} // namespace

ProtocolJournal::ProtocolJournal(QString directory) : m_directory(std::move(directory)) {}

ProtocolJournal::~ProtocolJournal() {
    Close();
}

QString ProtocolJournal::Lock() {
    if (m_lockFd >= 0)
        return QString();
    if (!QDir().mkpath(m_directory))
        return cannotWrite(m_directory, QCoreApplication::translate("ProtocolJournal",
                                                                    "der Ordner kann nicht angelegt werden"));
    const QByteArray path = QFile::encodeName(QDir(m_directory).filePath(QStringLiteral("journal.lock")));
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return cannotWrite(m_directory, errnoText(errno));
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd);
        if (error == EWOULDBLOCK)
            return QCoreApplication::translate("ProtocolJournal",
                                               "Das Protokoll-Journal in „%1“ führt schon ein anderes "
                                               "Vantro-Fenster; dieses übernimmt es, sobald jenes endet.")
                .arg(m_directory);
        return cannotWrite(m_directory, errnoText(error));
    }
    m_lockFd = fd;
    return QString();
}

JournalReplay ProtocolJournal::Previous() {
    m_previousFile.clear();
    auto read = [](const QString& path) -> std::optional<QByteArray> {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return std::nullopt;
        return file.readAll();
    };
    const QStringList files = JournalFiles(m_directory);
    for (qsizetype i = files.size() - 1; i >= 0; --i) {
        const std::optional<QByteArray> contents = read(files[i]);
        if (!contents)
            continue;
        JournalReplay replay = ReplayJournal(*contents);
        if (!replay.hasSession)
            continue;
        if (!replay.settled) {
            // A new day's file whose first snapshot was cut off: the protocol it was copying is in
            // the file before, and this one goes on from there.
            for (qsizetype k = i - 1; k >= 0; --k) {
                const std::optional<QByteArray> earlier = read(files[k]);
                if (earlier && ReplayJournal(*earlier).hasSession)
                    return ReplayJournal(*earlier + '\n' + *contents);
            }
        }
        m_previousFile = files[i];
        return replay;
    }
    return JournalReplay();
}

QString ProtocolJournal::Begin(const QList<ProtocolLine>& rows, JournalStart start) {
    if (m_active)
        return QString();
    if (m_lockFd < 0) {
        if (QString error = Lock(); !error.isEmpty())
            return error;
    }
    const QDateTime at = now();
    QString error;
    if (!openDay(at.date(), error))
        return cannotWrite(m_directory, error);
    JournalRecord open = record(JournalKind::Open, at);
    open.pid = QCoreApplication::applicationPid();
    QByteArray bytes = FormatJournalLine(open);
    // A protocol restored from this very file is there already; copying it again would grow the
    // file by the whole protocol on every start.
    const QString path = QDir(m_directory).filePath(JournalFileName(at.date()));
    if (start == JournalStart::Restored && m_previousFile == path)
        bytes += FormatJournalLine(record(JournalKind::Kept, at));
    else
        bytes += snapshotBytes(at, rows);
    if (!writeAll(bytes, error)) {
        ::close(m_fd);
        m_fd = -1;
        return cannotWrite(m_directory, error);
    }
    m_mirror = rows;
    PruneJournals(m_directory, at.date(), KeepDays);
    m_active = true;
    m_stop = false;
    m_worker = std::thread([this] { run(); });
    return QString();
}

void ProtocolJournal::enqueue(Item item) {
    bool wake;
    {
        std::lock_guard lock(m_mutex);
        // A queue that already holds items has the worker's attention: no wake-up call needed.
        wake = m_queue.empty();
        m_queue.push_back(std::move(item));
        ++m_queued;
    }
    if (wake)
        m_cv.notify_all();
}

void ProtocolJournal::Line(const ProtocolLine& line) {
    Item item;
    item.day = now();
    JournalRecord r = record(JournalKind::Line, item.day);
    r.line = line;
    // Observers see the record even while the journal is off: the impulse list must not go blind.
    if (OnRecord)
        OnRecord(r);
    if (!m_active)
        return;
    item.bytes = FormatJournalLine(r);
    item.kind = Item::Kind::Line;
    item.line = line;
    enqueue(std::move(item));
}

void ProtocolJournal::Edge(uint32_t tick, EdgeOutcome outcome) {
    Item item;
    item.day = now();
    JournalRecord r = record(JournalKind::Edge, item.day);
    r.tick = tick;
    r.outcome = outcome;
    if (OnRecord)
        OnRecord(r);
    if (!m_active)
        return;
    item.bytes = FormatJournalLine(r);
    enqueue(std::move(item));
}

void ProtocolJournal::Snapshot(const QList<ProtocolLine>& rows) {
    if (!m_active)
        return;
    Item item;
    item.day = now();
    item.bytes = snapshotBytes(item.day, rows);
    item.kind = Item::Kind::Snapshot;
    item.lines = rows;
    enqueue(std::move(item));
}

void ProtocolJournal::Flush() {
    std::unique_lock lock(m_mutex);
    const uint64_t target = m_queued;
    m_cv.wait(lock, [&] { return m_written >= target || !m_worker.joinable(); });
}

void ProtocolJournal::Close() {
    if (m_active) {
        Item item;
        item.day = now();
        item.bytes = FormatJournalLine(record(JournalKind::Closed, item.day));
        enqueue(std::move(item));
        {
            std::lock_guard lock(m_mutex);
            m_stop = true;
        }
        m_cv.notify_all();
        m_worker.join();
        m_active = false;
    }
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (m_lockFd >= 0) {
        ::close(m_lockFd); // releases the lock
        m_lockFd = -1;
    }
}

QByteArray ProtocolJournal::snapshotBytes(const QDateTime& at, const QList<ProtocolLine>& rows) const {
    JournalRecord head = record(JournalKind::Grid, at);
    head.count = int(rows.size());
    QByteArray bytes = FormatJournalLine(head);
    JournalRecord r = record(JournalKind::Line, at);
    for (const ProtocolLine& line : rows) {
        r.line = line;
        bytes += FormatJournalLine(r);
    }
    return bytes;
}

bool ProtocolJournal::openDay(const QDate& day, QString& error) {
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    const QString path = QDir(m_directory).filePath(JournalFileName(day));
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    if (fd < 0) {
        error = errnoText(errno);
        return false;
    }
    m_fd = fd;
    m_fileDay = day;
    struct stat st {};
    QByteArray start;
    if (::fstat(fd, &st) == 0 && st.st_size == 0) {
        JournalRecord header;
        header.kind = JournalKind::Header;
        header.count = JournalFormatVersion;
        start = FormatJournalLine(header);
    } else {
        // A line cut off by a crash must not swallow the next record.
        const int rd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
        char last = '\n';
        if (rd >= 0) {
            if (::pread(rd, &last, 1, st.st_size - 1) != 1)
                last = '\n';
            ::close(rd);
        }
        if (last != '\n')
            start = "\n";
    }
    if (!start.isEmpty() && !writeAll(start, error))
        return false;
    // The new file's name must be durable too.
    const int dir = ::open(QFile::encodeName(m_directory).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

bool ProtocolJournal::writeAll(const QByteArray& bytes, QString& error) {
    if (m_fd < 0) {
        error = errnoText(EBADF);
        return false;
    }
    const char* p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(m_fd, p, size_t(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            error = errnoText(errno);
            return false;
        }
        p += n;
        left -= n;
    }
    if (::fdatasync(m_fd) != 0) {
        error = errnoText(errno);
        return false;
    }
    return true;
}

void ProtocolJournal::reportError(const QString& message) {
    QMetaObject::invokeMethod(
        &m_context,
        [this, message] {
            if (OnError)
                OnError(message);
        },
        Qt::QueuedConnection);
}

void ProtocolJournal::run() {
    bool reported = false;
    for (;;) {
        std::deque<Item> batch;
        {
            std::unique_lock lock(m_mutex);
            m_cv.wait(lock, [&] { return m_stop || !m_queue.empty(); });
            if (m_queue.empty())
                break;
            batch.swap(m_queue);
        }
        QByteArray bytes;
        QString error;
        bool ok = true;
        if (m_failed) {
            // After a failed write: start on a line of its own and journal the whole protocol
            // again, so the lines that were lost meanwhile are back.
            bytes = "\n" + snapshotBytes(batch.front().day, m_mirror);
        }
        for (Item& item : batch) {
            if (item.day.date() != m_fileDay) {
                if (!bytes.isEmpty())
                    ok = writeAll(bytes, error) && ok;
                bytes.clear();
                // The new day's file starts with the whole protocol, so it is complete alone.
                if (openDay(item.day.date(), error)) {
                    bytes = FormatJournalLine(record(JournalKind::Continued, item.day));
                    bytes += snapshotBytes(item.day, m_mirror);
                    PruneJournals(m_directory, item.day.date(), KeepDays);
                } else {
                    ok = false;
                }
            }
            bytes += item.bytes;
            switch (item.kind) {
            case Item::Kind::Line:
                AddJournalRow(m_mirror, item.line, 1);
                break;
            case Item::Kind::Snapshot:
                m_mirror = item.lines;
                break;
            case Item::Kind::Other:
                break;
            }
        }
        if (!bytes.isEmpty())
            ok = writeAll(bytes, error) && ok;
        m_failed = !ok;
        if (!ok && !reported)
            reportError(
                QCoreApplication::translate("ProtocolJournal",
                                            "Das Protokoll-Journal kann nicht geschrieben werden (%1): %2.\n"
                                            "Die Zeitnahme läuft weiter.")
                    .arg(m_directory, error));
        reported = !ok;
        {
            std::lock_guard lock(m_mutex);
            m_written += batch.size();
        }
        m_cv.notify_all();
    }
}
