#pragma once

#include "app/journal/JournalReplay.h"
#include "app/run/BarrierGate.h"
#include "app/run/ProtocolLine.h"

#include <QDate>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

/// How a session's protocol came about when the journal begins.
enum class JournalStart {
    Fresh,    ///< whatever the grid holds (a new protocol, or a journal taken up later)
    Restored, ///< exactly what Previous() gave back
};

/// The protocol journal: every protocol line and every light-barrier pass is appended to a file
/// of the day in the state folder and made durable (fdatasync) on a worker thread, each batch
/// before the next is written, so a crash or power cut loses nothing that was journalled before
/// the last batch. The GUI thread only formats a line and queues it; it never waits for the disk
/// (except in Close at the end). One program at a time writes the folder (a lock file).
class ProtocolJournal {
public:
    /// Journals are kept this many days.
    static constexpr int KeepDays = 30;

    /// A journal for the folder `directory`; nothing is touched until Lock().
    explicit ProtocolJournal(QString directory);
    /// Ends the session cleanly (Close()).
    ~ProtocolJournal();
    ProtocolJournal(const ProtocolJournal&) = delete;
    ProtocolJournal& operator=(const ProtocolJournal&) = delete;

    /// The folder.
    const QString& Directory() const { return m_directory; }
    /// Creates the folder and takes its lock. Returns an empty text, or the message why the
    /// journal cannot be written (the journal then stays off).
    QString Lock();
    /// The last session in the newest journal file, as it was left (read under the lock). A
    /// session whose protocol was never completely written in its file is read on from the file
    /// before.
    JournalReplay Previous();
    /// Begins this program's session with the grid's `rows` (its header row first): today's
    /// file, an Open record and a snapshot of the rows; or only a note that they were kept, when
    /// they were restored from today's file. Starts the worker. Returns an empty text or the
    /// message why the journal is off.
    QString Begin(const QList<ProtocolLine>& rows, JournalStart start = JournalStart::Fresh);
    /// Whether the session is being journalled.
    bool Active() const { return m_active; }

    /// Appends a protocol line. GUI thread; never waits for the disk.
    void Line(const ProtocolLine& line);
    /// Appends a light-barrier pass at `tick` and what it did.
    void Edge(uint32_t tick, EdgeOutcome outcome);
    /// The protocol was replaced (cleared, loaded, a line deleted): journals all the grid's rows,
    /// header row first.
    void Snapshot(const QList<ProtocolLine>& rows);
    /// Marks the session closed, waits until everything is on disk and stops the worker.
    void Close();
    /// Waits until everything appended so far is on disk (or failed). For tests and benchmarks.
    void Flush();

    /// Each protocol line and light-barrier pass as it is journalled (GUI thread), also while the
    /// journal is off: the impulse list follows the journal's own records this way.
    std::function<void(const JournalRecord& record)> OnRecord;
    /// A write failure, on the GUI thread: once, until writing works again.
    std::function<void(const QString& message)> OnError;

private:
    struct Item {
        QDateTime day; ///< when it was appended
        QByteArray bytes;
        enum class Kind { Other, Line, Snapshot } kind = Kind::Other;
        ProtocolLine line;
        QList<ProtocolLine> lines;
    };
    void enqueue(Item item);
    void run();
    bool openDay(const QDate& day, QString& error);
    bool writeAll(const QByteArray& bytes, QString& error);
    QByteArray snapshotBytes(const QDateTime& at, const QList<ProtocolLine>& rows) const;
    void reportError(const QString& message);

    const QString m_directory;
    int m_lockFd = -1;
    bool m_active = false;
    QString m_previousFile; ///< the file Previous() read its session from alone

    // Worker side.
    int m_fd = -1;
    QDate m_fileDay;
    QList<ProtocolLine> m_mirror; ///< the grid's rows as journalled, for a new day's snapshot
    bool m_failed = false;        ///< the last write failed: the next begins on a new line with a snapshot

    std::mutex m_mutex;
    std::condition_variable m_cv;
    std::deque<Item> m_queue;
    uint64_t m_queued = 0;  ///< items queued so far
    uint64_t m_written = 0; ///< items written (or given up) so far
    bool m_stop = false;
    std::thread m_worker;
    QObject m_context; ///< lives on the GUI thread; failures are posted to it
};
