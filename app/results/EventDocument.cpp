#include "app/results/EventDocument.h"

#include "event/AuditTexts.h"
#include "event/EventFiles.h"
#include "event/EventStore.h"
#include "event/EventWriter.h"
#include "event/Ranking.h"

#include <QDir>
#include <QFileInfo>
#include <QTimer>
#include <QUndoStack>

namespace {
// Creating a missing event file again while the folder is not writable.
constexpr int CreateRetryMs = 3000;
} // namespace

EventDocument::EventDocument(QString folder, QObject* parent)
    : QObject(parent), m_folder(folder.isEmpty() ? defaultEventFolder() : std::move(folder)),
      m_undo(new QUndoStack(this)), m_refresh(new QTimer(this)), m_createRetry(new QTimer(this)) {
    // Many changes in one turn (a start list, a renumbering) give one refresh.
    m_refresh->setSingleShot(true);
    m_refresh->setInterval(0);
    connect(m_refresh, &QTimer::timeout, this, &EventDocument::refreshNow);
    m_createRetry->setInterval(CreateRetryMs);
    connect(m_createRetry, &QTimer::timeout, this, &EventDocument::retryCreate);
}

EventDocument::~EventDocument() {
    detach();
}

StoreError EventDocument::open(const QString& path) {
    StoreError error;
    std::unique_ptr<EventStore> store = EventStore::open(path, error);
    if (!store)
        return error;
    EventData data;
    if (StoreError e = store->load(data))
        return e;
    adopt(std::move(store), std::move(data), path);
    return {};
}

StoreError EventDocument::create(const QString& path, const EventInfo& info) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    StoreError error;
    std::unique_ptr<EventStore> store = EventStore::create(path, info, error);
    if (!store)
        return error;
    EventData data;
    data.info = info;
    adopt(std::move(store), std::move(data), path);
    return {};
}

bool EventDocument::openIfOfDate(const QString& path, const QDate& date) {
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return false;
    StoreError error;
    std::unique_ptr<EventStore> store = EventStore::open(path, error);
    if (!store)
        return false;
    EventData data;
    if (store->load(data) || data.info.date != date)
        return false;
    adopt(std::move(store), std::move(data), path);
    return true;
}

StoreError EventDocument::ensureEvent(const QDate& date) {
    if (isOpen())
        return {};
    EventInfo info;
    info.name = date.toString(QStringLiteral("dd.MM.yyyy"));
    info.date = date;
    QDir().mkpath(m_folder);
    const QString path = newEventFilePath(m_folder, date);
    const StoreError error = create(path, info);
    if (!error)
        return {};
    // Timing goes on: the event lives in memory until its file can be created.
    EventData data;
    data.info = info;
    adopt(nullptr, std::move(data), path);
    m_createRetry->start();
    setFailing(true, error.message);
    return error;
}

StoreError EventDocument::saveCopy(const QString& path) {
    if (!m_model)
        return {StoreErrorKind::Other, tr("Es ist keine Veranstaltung geöffnet.")};
    const EventData& data = m_model->data();
    StoreError error;
    std::unique_ptr<EventStore> copy = EventStore::create(path, data.info, error);
    if (!copy)
        return error;
    std::vector<EventWriteItem> items;
    items.reserve(size_t(2 + data.competitors.size() + data.runs.size() + data.audit.size()));
    items.emplace_back(data.info);
    items.emplace_back(data.rules);
    for (const Competitor& c : data.competitors)
        items.emplace_back(c);
    for (const RunRecord& r : data.runs)
        items.emplace_back(r);
    for (const AuditEntry& a : data.audit)
        items.emplace_back(a);
    return copy->write(items);
}

void EventDocument::close(int timeoutMs) {
    waitForWrites(timeoutMs);
    detach();
    m_standings = {};
    emit eventReplaced();
    emit refreshed();
}

bool EventDocument::waitForWrites(int timeoutMs) {
    if (!m_writer)
        return !m_model || !m_createRetry->isActive();
    return m_writer->waitForIdle(std::chrono::milliseconds(timeoutMs));
}

int64_t EventDocument::addRun(const RunRecord& run) {
    if (!m_model)
        return 0;
    return m_model->addRun(run);
}

int EventDocument::importCompetitors(const QList<Competitor>& competitors, const QString& source) {
    if (!m_model)
        return 0;
    int added = 0, updated = 0;
    for (Competitor c : competitors) {
        if (const Competitor* existing = m_model->competitorByNumber(c.startNumber)) {
            c.id = existing->id;
            if (c == *existing)
                continue;
            m_model->setCompetitor(c);
            ++updated;
        } else {
            c.id = 0;
            m_model->addCompetitor(c);
            ++added;
        }
    }
    AuditEntry entry;
    entry.what = storedAuditText(QT_TRANSLATE_NOOP("AuditTexts", "Startliste importiert"));
    entry.newValue = storedAuditText(QT_TRANSLATE_NOOP("AuditTexts", "%1 neu, %2 geändert, aus %3"))
                         .arg(added)
                         .arg(updated)
                         .arg(source);
    m_model->addAudit(entry);
    // Edits made before refer to entries the import may have changed.
    m_undo->clear();
    return added + updated;
}

void EventDocument::adopt(std::unique_ptr<EventStore> store, EventData data, const QString& path) {
    detach();
    m_path = path;
    m_model = std::make_unique<EventModel>(std::move(data));
    m_model->OnChanged = [this](EventChange what, int64_t id) { onModelChanged(what, id); };
    if (store)
        attachWriter(std::move(store));
    m_undo->clear();
    emit eventReplaced();
    refreshNow();
}

void EventDocument::attachWriter(std::unique_ptr<EventStore> store) {
    m_store = std::move(store);
    m_writer = std::make_unique<EventWriter>(*m_store);
    // The callbacks run on the writer's thread; what they report is shown on this one. A report
    // that arrives after the writer was replaced is about an event no longer open.
    EventWriter* writer = m_writer.get();
    auto stillOurs = [this, writer] { return m_writer.get() == writer; };
    m_writer->OnCommitted = [this, stillOurs](uint64_t upTo) {
        QMetaObject::invokeMethod(
            this,
            [this, stillOurs, upTo] {
                if (stillOurs())
                    onCommitted(upTo);
            },
            Qt::QueuedConnection);
    };
    m_writer->OnWriteFailed = [this, stillOurs](const StoreError& error) {
        const QString message = error.message;
        QMetaObject::invokeMethod(
            this,
            [this, stillOurs, message] {
                if (stillOurs())
                    setFailing(true, message);
            },
            Qt::QueuedConnection);
    };
    m_writer->OnWriteRecovered = [this, stillOurs] {
        QMetaObject::invokeMethod(
            this,
            [this, stillOurs] {
                if (stillOurs())
                    setFailing(false, {});
            },
            Qt::QueuedConnection);
    };
    m_model->setWriter(m_writer.get());
}

void EventDocument::detach() {
    m_createRetry->stop();
    if (m_model)
        m_model->setWriter(nullptr);
    // The writer's destructor makes one more try at what is queued.
    m_writer.reset();
    m_store.reset();
    m_model.reset();
    m_undo->clear();
    m_changedUpTo = 0;
    m_shownUpTo = 0;
    m_failing = false;
    m_problem.clear();
}

void EventDocument::onModelChanged(EventChange what, int64_t id) {
    emit modelChanged(what, qint64(id));
    if (m_writer && !m_failing)
        m_changedUpTo = m_writer->enqueued();
    else
        scheduleRefresh();
}

void EventDocument::onCommitted(quint64 upTo) {
    if (upTo >= m_changedUpTo) {
        m_shownUpTo = upTo;
        scheduleRefresh();
    }
}

bool EventDocument::upToDate() const {
    return !m_refresh->isActive() && (m_failing || !m_writer || m_shownUpTo >= m_changedUpTo);
}

void EventDocument::scheduleRefresh() {
    if (!m_refresh->isActive())
        m_refresh->start();
}

void EventDocument::refreshNow() {
    m_refresh->stop();
    if (m_model) {
        const EventData& d = m_model->data();
        m_standings = rankEvent(d.competitors, d.runs, d.rules);
    } else {
        m_standings = {};
    }
    emit refreshed();
}

void EventDocument::retryCreate() {
    if (!m_model || m_writer) {
        m_createRetry->stop();
        return;
    }
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    StoreError error;
    std::unique_ptr<EventStore> store = EventStore::create(m_path, m_model->data().info, error);
    if (!store && error.kind == StoreErrorKind::AlreadyExists) {
        m_path = newEventFilePath(QFileInfo(m_path).absolutePath(), m_model->data().info.date);
        store = EventStore::create(m_path, m_model->data().info, error);
    }
    if (!store)
        return;
    m_createRetry->stop();
    attachWriter(std::move(store));
    // Everything the event gathered in memory goes to its new file.
    const EventData& data = m_model->data();
    m_writer->enqueue(data.rules);
    for (const Competitor& c : data.competitors)
        m_writer->enqueue(c);
    for (const RunRecord& r : data.runs)
        m_writer->enqueue(r);
    for (const AuditEntry& a : data.audit)
        m_writer->enqueue(a);
    m_changedUpTo = m_writer->enqueue(data.info);
    setFailing(false, {});
}

void EventDocument::setFailing(bool failing, const QString& message) {
    if (failing == m_failing && message == m_problem)
        return;
    const bool was = m_failing;
    m_failing = failing;
    m_problem = message;
    if (failing && !was)
        emit writeFailed(message);
    else if (!failing && was)
        emit writeRecovered();
    scheduleRefresh();
}
