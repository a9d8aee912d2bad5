#pragma once

#include "event/EventModel.h"
#include "event/Standings.h"
#include "event/StoreError.h"

#include <QDate>
#include <QObject>
#include <QString>

#include <memory>

class EventStore;
class EventWriter;
class QTimer;
class QUndoStack;

/// The event the program has open: its file (store), the writer that commits to it off the GUI
/// thread, the model the windows show, the undo stack of the changes by hand and the standings.
/// Opening or creating another event replaces all of it only when the new file could be read; a
/// refused file leaves the open event open.
///
/// When the event file cannot be created (folder not writable), the event is kept in memory and
/// creating it is tried again every few seconds; when writing fails later (disk full), the writer
/// keeps the records and tries again. Either way the windows are told once, and again when writing
/// works.
class EventDocument : public QObject {
    Q_OBJECT
public:
    /// `folder`: where new events are created (default: the events folder of the user's data).
    explicit EventDocument(QString folder = {}, QObject* parent = nullptr);
    ~EventDocument() override;

    /// True when an event is open (in a file, or in memory while its file cannot be created).
    bool isOpen() const { return m_model != nullptr; }
    /// The open event's file; the file it is to be created as while it is in memory only.
    QString path() const { return m_path; }
    /// The folder new events go to.
    QString folder() const { return m_folder; }
    /// The open event (null when none is open).
    EventModel* model() const { return m_model.get(); }
    /// The changes by hand of the open event, undoable.
    QUndoStack* undoStack() const { return m_undo; }
    /// The standings of the open event, as of the last refresh.
    const Standings& standings() const { return m_standings; }
    /// True while records wait for the disk because writing failed.
    bool writeFailing() const { return m_failing; }
    /// The message of the current write failure (empty when writing works).
    QString writeProblem() const { return m_problem; }

    /// Opens the event file `path`. A file that is not an event, one of a newer program, a damaged
    /// one: refused with the error, the open event stays open.
    StoreError open(const QString& path);
    /// Creates a new event file `path` with `info` and opens it.
    StoreError create(const QString& path, const EventInfo& info);
    /// Opens the event of `date` if `path` is one (else nothing), for the start of the day.
    bool openIfOfDate(const QString& path, const QDate& date);
    /// Makes sure an event is open: creates the event of `date` in the folder, named by the date,
    /// when none is. Returns the error of creating its file; the event is open (in memory) anyway.
    StoreError ensureEvent(const QDate& date);
    /// Writes a copy of the open event to `path` (a new file); the open event stays the one open.
    StoreError saveCopy(const QString& path);
    /// Commits what is queued (waits at most `timeoutMs`) and closes the event.
    void close(int timeoutMs = 3000);

    /// Adds a run the run session ended; the results show it once it is committed.
    int64_t addRun(const RunRecord& run);

    /// Takes a start list into the open event: entries whose start number is on the list already
    /// are updated, the others added; one audit entry names `source` and the count. Returns the
    /// number of entries taken.
    int importCompetitors(const QList<Competitor>& competitors, const QString& source);

    /// True when what the windows show is the event as committed: nothing waits for the disk or
    /// for a refresh.
    bool upToDate() const;

    /// Waits until every change handed over is committed (tests, closing); false on time-out.
    bool waitForWrites(int timeoutMs);

signals:
    /// Another event was opened or created (or the open one closed).
    void eventReplaced();
    /// The model changed (immediately, before the change is committed).
    void modelChanged(EventChange what, qint64 id);
    /// The changes up to now are committed (or cannot be: then the window says so); the standings
    /// are recomputed. The windows refresh what they show on this signal.
    void refreshed();
    /// Writing failed; `message` names the file. Given once per spell of failures.
    void writeFailed(const QString& message);
    /// Writing works again; everything kept in memory is on disk.
    void writeRecovered();

private:
    void adopt(std::unique_ptr<EventStore> store, EventData data, const QString& path);
    void attachWriter(std::unique_ptr<EventStore> store);
    void detach();
    void onModelChanged(EventChange what, int64_t id);
    void onCommitted(quint64 upTo);
    void scheduleRefresh();
    void refreshNow();
    void retryCreate();
    void setFailing(bool failing, const QString& message);

    QString m_folder;
    QString m_path;
    std::unique_ptr<EventStore> m_store;
    std::unique_ptr<EventWriter> m_writer;
    std::unique_ptr<EventModel> m_model;
    QUndoStack* m_undo;
    Standings m_standings;
    QTimer* m_refresh;
    QTimer* m_createRetry;
    quint64 m_changedUpTo = 0; ///< the writer's sequence of the last change
    quint64 m_shownUpTo = 0;   ///< the sequence the last refresh was started for
    bool m_failing = false;
    QString m_problem;
};
