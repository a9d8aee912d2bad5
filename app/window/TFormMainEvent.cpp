// The event beside the protocol: the event of the day, fed from every run; the start list's name
// and class for a start number; the next start number of the list after RESET; the event's menu,
// the results window, and undo and redo of the changes by hand.
#include "app/window/TFormMain.h"

#include "app/results/EventCommands.h"
#include "app/results/EventDocument.h"
#include "app/results/ResultsWindow.h"
#include "event/EventFiles.h"
#include "event/Plausibility.h"
#include "platform/Dialogs.h"
#include "platform/SystemClock.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QUndoStack>

#include <algorithm>

namespace {

// The start number after `current` in the start list (by number, from the first again after the
// last); nothing when the list is empty.
std::optional<int> nextListedNumber(const EventModel& model, int current) {
    std::optional<int> first, next;
    for (const Competitor& c : model.data().competitors) {
        if (c.deleted)
            continue;
        if (!first || c.startNumber < *first)
            first = c.startNumber;
        if (c.startNumber > current && (!next || c.startNumber < *next))
            next = c.startNumber;
    }
    return next ? next : first;
}

} // namespace

void TFormMain::buildEvent() {
    m_event = new EventDocument(QString(), this);
    m_eventCommands = new EventCommands(*m_event, this);
    m_eventCommands->Resolution = [this] { return m_settings.Acc; };
    m_eventCommands->Today = [] { return platform::systemClock().localDateTime().date(); };

    // Below the run buttons' staircase, left of RESET, where the input area has room.
    QFont small = font();
    small.setPixelSize(13);
    bEvent = new QPushButton(tr("&Veranstaltung"), InputArea);
    bEvent->setGeometry(2, 132, 92, 29);
    bResults = new QPushButton(tr("Er&gebnisse"), InputArea);
    bResults->setGeometry(2, 164, 140, 29);
    for (QPushButton* b : {bEvent, bResults}) {
        b->setFont(small);
        b->setAutoDefault(false);
        b->setFocusPolicy(Qt::NoFocus);
    }
    LabClass = new QLabel(InputArea);
    LabClass->setGeometry(84, 8, 86, 24);
    QFont classFont = font();
    classFont.setPixelSize(15);
    classFont.setBold(true);
    LabClass->setFont(classFont);
    LabClass->setToolTip(tr("Klasse"));
    connect(bEvent, &QPushButton::clicked, this, [this] { bEventClick(bEvent); });
    connect(bResults, &QPushButton::clicked, this, [this] { bResultsClick(bResults); });

    using namespace ShortCutCode;
    mEvent = new TMenuItem(tr("&Veranstaltung"), Alt | 'V', this);
    mResults = new TMenuItem(tr("Er&gebnisse"), Alt | 'G', this);
    mUndo = new TMenuItem(tr("Rückgängig"), Ctrl | 'Z', this);
    mRedo = new TMenuItem(tr("Wiederholen"), Ctrl | 'Y', this);
    connect(mEvent, &QAction::triggered, this, [this] { bEventClick(mEvent); });
    connect(mResults, &QAction::triggered, this, [this] { bResultsClick(mResults); });
    // In the name field the keys keep their meaning there.
    connect(mUndo, &QAction::triggered, this, [this] {
        if (QApplication::focusWidget() == editStartN)
            editStartN->undo();
        else
            m_event->undoStack()->undo();
    });
    connect(mRedo, &QAction::triggered, this, [this] {
        if (QApplication::focusWidget() == editStartN)
            editStartN->redo();
        else
            m_event->undoStack()->redo();
    });
    HideMenu1 += {mEvent, mResults, mUndo, mRedo};

    connect(seStartN, &QSpinBox::valueChanged, this, [this](int n) {
        m_settings.StartNumber = n;
        showCompetitor(n);
    });
    connect(m_event, &EventDocument::eventReplaced, this, [this] {
        m_settings.EventFile = m_event->path();
        showCompetitor(seStartN->value());
    });
    connect(m_event, &EventDocument::modelChanged, this, [this](EventChange what, qint64) {
        if (what == EventChange::Competitor && m_session.Phase() == RunPhase::Idle)
            showCompetitor(seStartN->value());
    });
    connect(m_event, &EventDocument::writeFailed, this, &TFormMain::eventWriteFailed);
    startEvent();
}

void TFormMain::startEvent() {
    const QDate today = platform::systemClock().localDateTime().date();
    // The settings name the event last open; after a crash they may not, and the day's event is
    // found by its name in the events folder instead (the newest of "<date>", "<date>-2", ...).
    if (!m_event->openIfOfDate(m_settings.EventFile, today)) {
        const QString stem = QDir(m_event->folder()).filePath(today.toString(Qt::ISODate));
        QString last;
        for (int n = 1; n < 100; ++n) {
            const QString path = stem + (n == 1 ? QString() : QStringLiteral("-%1").arg(n)) +
                                 QLatin1String(EventFileExtension);
            if (!QFileInfo::exists(path))
                break;
            last = path;
        }
        m_event->openIfOfDate(last, today);
    }
    // The day's event knows who drove last; else a protocol restored from the journal has proposed
    // the next number already; else the number proposed last before the program ended.
    if (m_session.Phase() == RunPhase::Idle) {
        const EventModel* model = m_event->model();
        if (model && !model->data().runs.isEmpty()) {
            const int last = model->data().runs.last().startNumber;
            seStartN->setValue(
                nextListedNumber(*model, last).value_or(std::min(last + 1, RunSession::StartNumberMax)));
        } else if (seStartN->value() == RunSession::StartNumberMin) {
            seStartN->setValue(
                std::clamp(m_settings.StartNumber, RunSession::StartNumberMin, RunSession::StartNumberMax));
        }
    }
    showCompetitor(seStartN->value());
}

void TFormMain::showCompetitor(int startNumber) {
    const EventModel* model = m_event ? m_event->model() : nullptr;
    const Competitor* c = model ? model->competitorByNumber(startNumber) : nullptr;
    LabClass->setText(c ? c->className : QString());
    if (m_session.Phase() != RunPhase::Idle)
        return;
    // A name typed by hand stays; one the list filled in follows the number.
    const bool ours = editStartN->text().isEmpty() || editStartN->text() == m_filledName;
    if (!ours)
        return;
    m_filledName = c ? c->displayName() : QString();
    editStartN->setText(m_filledName);
}

void TFormMain::feedEvent(RunAction action) {
    if (action == RunAction::Start && !m_event->isOpen())
        m_event->ensureEvent(platform::systemClock().localDateTime().date());
    const std::optional<RunRecord> run =
        m_eventFeed.take(action, m_session, seStartN->value(), platform::systemClock().localDateTime());
    if (run) {
        const int64_t id = m_event->addRun(*run);
        // Outside the event's plausible range: kept, flagged, and said where the operator looks.
        if (const EventModel* model = m_event->model())
            if (const RunRecord* stored = model->run(id); stored && stored->needsCheck)
                ShowNotice(runCheckNotice(*stored, model->data().rules));
    }
    if (action == RunAction::Reset) {
        // RESET has emptied the name field: the name the list proposes next is ours again.
        m_filledName.clear();
        if (const EventModel* model = m_event->model())
            if (const std::optional<int> next = nextListedNumber(*model, m_eventFeed.lastStartNumber()))
                seStartN->setValue(*next);
        showCompetitor(seStartN->value());
    }
}

void TFormMain::eventWriteFailed(const QString& message) {
    // After the action that is running: the message never holds up the timing.
    QTimer::singleShot(0, this, [message] {
        platform::dialogs().showMessage(
            tr("Die Veranstaltung kann nicht gespeichert werden.\n%1\n\nDie Zeitnahme läuft weiter; die "
               "Läufe bleiben im Speicher und im Protokoll und werden gespeichert, sobald es wieder geht.")
                .arg(message));
    });
}

void TFormMain::bEventClick(QObject*) {
    QMenu menu(this);
    menu.addAction(tr("Er&gebnisse …"), this, [this] { bResultsClick(this); });
    addLiveActions(&menu);
    menu.addSeparator();
    m_eventCommands->fillMenu(&menu);
    menu.addSeparator();
    QAction* undo = m_event->undoStack()->createUndoAction(&menu, tr("&Rückgängig"));
    QAction* redo = m_event->undoStack()->createRedoAction(&menu, tr("&Wiederholen"));
    undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    redo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y));
    menu.addAction(undo);
    menu.addAction(redo);
    menu.exec(bEvent->mapToGlobal(QPoint(0, bEvent->height())));
}

void TFormMain::bResultsClick(QObject*) {
    if (!m_results) {
        m_results = new ResultsWindow(*m_event, *m_eventCommands, this);
        // The program ends with the main window, whether or not the results are open.
        m_results->setAttribute(Qt::WA_QuitOnClose, false);
        connect(m_event, &EventDocument::refreshed, m_results,
                [this] { m_results->setResolution(m_settings.Acc); });
    }
    m_results->setResolution(m_settings.Acc);
    m_results->show();
    m_results->raise();
    m_results->activateWindow();
}
