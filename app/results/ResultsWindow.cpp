#include "app/results/ResultsWindow.h"

#include "app/results/AuditTableModel.h"
#include "app/results/EventCommands.h"
#include "app/results/EventDocument.h"
#include "app/results/RunsTableModel.h"
#include "app/results/SheetTableModel.h"
#include "event/ConfirmRunCommand.h"
#include "event/MarkRunDeletedCommand.h"
#include "event/MoveRunCommand.h"
#include "event/ResultsSheet.h"
#include "event/SetCorrectionCommand.h"
#include "event/SetRunStatusCommand.h"
#include "event/VoidRunCommand.h"
#include "platform/Dialogs.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QUndoStack>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QTableView* makeTable(QWidget* parent) {
    auto* view = new QTableView(parent);
    view->verticalHeader()->setVisible(false);
    view->setAlternatingRowColors(true);
    view->horizontalHeader()->setStretchLastSection(true);
    view->setWordWrap(false);
    return view;
}

} // namespace

ResultsWindow::ResultsWindow(EventDocument& document, EventCommands& commands, QWidget* parent)
    : QMainWindow(parent, Qt::Window), m_document(document), m_commands(commands) {
    setObjectName(QStringLiteral("ResultsWindow"));
    setWindowTitle(tr("Ergebnisse"));
    resize(1100, 650);

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    writeBanner = new QLabel(central);
    writeBanner->setWordWrap(true);
    writeBanner->setStyleSheet(QStringLiteral("background:#b00000;color:white;padding:6px;font-weight:bold"));
    writeBanner->hide();
    layout->addWidget(writeBanner);
    tabs = new QTabWidget(central);
    layout->addWidget(tabs);
    setCentralWidget(central);

    runsModel = new RunsTableModel(document, this);
    runsModel->OnRefused = [](const QString& why) { platform::dialogs().showMessage(why); };
    runsModel->AskDisqualifyReason = [this]() -> std::optional<QString> {
        bool ok = false;
        const QString why =
            QInputDialog::getText(this, tr("Disqualifizieren"), tr("Grund der Disqualifikation:"),
                                  QLineEdit::Normal, QString(), &ok);
        return ok ? std::optional<QString>(why.trimmed()) : std::nullopt;
    };
    runsView = makeTable(tabs);
    runsView->setModel(runsModel);
    runsView->setSelectionBehavior(QAbstractItemView::SelectRows);
    runsView->setSelectionMode(QAbstractItemView::SingleSelection);
    runsView->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                              QAbstractItemView::AnyKeyPressed);
    runsView->setContextMenuPolicy(Qt::ActionsContextMenu);
    // Fixed widths: fitting them to the contents would cost time on every new run of a long event.
    const int widths[RunsTableModel::ColumnCount] = {50, 230, 60,  45, 75, 70,  65,
                                                     50, 75,  120, 70, 70, 140, 200};
    for (int c = 0; c < RunsTableModel::ColumnCount; ++c)
        runsView->setColumnWidth(c, widths[c]);
    tabs->addTab(runsView, tr("&Läufe"));

    auto* rankingPage = new QWidget(tabs);
    auto* rl = new QVBoxLayout(rankingPage);
    auto* choiceRow = new QHBoxLayout;
    choiceRow->addWidget(new QLabel(tr("Wertung:"), rankingPage));
    sectionChoice = new QComboBox(rankingPage);
    sectionChoice->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    choiceRow->addWidget(sectionChoice);
    choiceRow->addStretch();
    rl->addLayout(choiceRow);
    rankingModel = new SheetTableModel(this);
    rankingView = makeTable(rankingPage);
    rankingView->setModel(rankingModel);
    rankingView->setWordWrap(true);
    rankingView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    rl->addWidget(rankingView);
    tabs->addTab(rankingPage, tr("&Wertung"));
    connect(sectionChoice, &QComboBox::currentIndexChanged, this, &ResultsWindow::showSection);

    auditModel = new AuditTableModel(document, this);
    auditView = makeTable(tabs);
    auditView->setModel(auditModel);
    auditView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tabs->addTab(auditView, tr("Ä&nderungen"));

    buildMenus();
    connect(&document, &EventDocument::refreshed, this, &ResultsWindow::refresh);
    connect(&document, &EventDocument::eventReplaced, this, &ResultsWindow::refresh);
    connect(&document, &EventDocument::writeFailed, this, &ResultsWindow::showWriteState);
    connect(&document, &EventDocument::writeRecovered, this, &ResultsWindow::showWriteState);
    refresh();
}

void ResultsWindow::buildMenus() {
    QMenu* event = menuBar()->addMenu(tr("&Veranstaltung"));
    m_commands.fillMenu(event);
    event->addSeparator();
    event->addAction(tr("Fenster &schließen"), QKeySequence::Close, this, &QWidget::close);

    QMenu* edit = menuBar()->addMenu(tr("&Bearbeiten"));
    QAction* undo = m_document.undoStack()->createUndoAction(this, tr("&Rückgängig"));
    undo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Z)});
    QAction* redo = m_document.undoStack()->createRedoAction(this, tr("&Wiederholen"));
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    edit->addAction(undo);
    edit->addAction(redo);
    edit->addSeparator();
    const struct {
        const char* text;
        void (ResultsWindow::*slot)();
    } runActions[] = {
        {QT_TR_NOOP("Lauf auf andere Start&nummer …"), &ResultsWindow::moveSelectedRun},
        {QT_TR_NOOP("&Disqualifizieren …"), &ResultsWindow::disqualifySelectedRun},
        {QT_TR_NOOP("Nicht ge&startet"), &ResultsWindow::didNotStartSelectedRun},
        {QT_TR_NOOP("&Ungültig, Wiederholung (an/aus)"), &ResultsWindow::toggleVoidSelectedRun},
        {QT_TR_NOOP("Als gelöscht &markieren (an/aus)"), &ResultsWindow::toggleDeletedSelectedRun},
        {QT_TR_NOOP("&Korrektur nach Protest …"), &ResultsWindow::correctSelectedRun},
        {QT_TR_NOOP("Geprüft, &bestätigen"), &ResultsWindow::confirmSelectedRun},
    };
    for (const auto& a : runActions) {
        QAction* action = edit->addAction(tr(a.text), this, a.slot);
        runsView->addAction(action);
    }
}

void ResultsWindow::setResolution(int resolution) {
    if (resolution == m_resolution)
        return;
    m_resolution = resolution;
    runsModel->setResolution(resolution);
    refresh();
}

void ResultsWindow::refresh() {
    const EventModel* model = m_document.model();
    setWindowTitle(model ? tr("Ergebnisse – %1").arg(model->data().info.name) : tr("Ergebnisse"));
    statusBar()->showMessage(model ? m_document.path() : tr("Keine Veranstaltung geöffnet"));
    const QList<SheetSection> sections = resultSections(m_document.standings(), m_resolution);
    QStringList titles;
    for (const SheetSection& s : sections)
        titles << s.title;
    QStringList shown;
    for (int i = 0; i < sectionChoice->count(); ++i)
        shown << sectionChoice->itemText(i);
    if (titles != shown) {
        const QString current = sectionChoice->currentText();
        const QSignalBlocker block(sectionChoice);
        sectionChoice->clear();
        sectionChoice->addItems(titles);
        // The overall ranking first when there is one, else the first class; a choice made stays.
        int index = int(titles.indexOf(current));
        if (index < 0)
            index = std::max(
                0, int(titles.indexOf(QCoreApplication::translate("ResultsSheet", "Gesamtwertung"))));
        sectionChoice->setCurrentIndex(index);
    }
    showSection();
    showWriteState();
    // The audit list is short; its columns follow the texts.
    auditView->resizeColumnsToContents();
}

void ResultsWindow::showSection() {
    const QList<SheetSection> sections = resultSections(m_document.standings(), m_resolution);
    const int i = sectionChoice->currentIndex();
    rankingModel->setSection(i >= 0 && i < sections.size() ? sections[i] : SheetSection{});
    rankingView->resizeColumnsToContents();
    rankingView->resizeRowsToContents();
}

void ResultsWindow::showWriteState() {
    writeBanner->setVisible(m_document.writeFailing());
    writeBanner->setText(
        tr("Die Veranstaltung kann gerade nicht gespeichert werden: %1\nDie Läufe bleiben im "
           "Speicher und im Protokoll und werden gespeichert, sobald es wieder geht.")
            .arg(m_document.writeProblem()));
}

int64_t ResultsWindow::selectedRun() const {
    const QModelIndex current = runsView->currentIndex();
    return current.isValid() ? runsModel->runId(current.row()) : 0;
}

void ResultsWindow::moveSelectedRun() {
    EventModel* model = m_document.model();
    const RunRecord* run = model ? model->run(selectedRun()) : nullptr;
    if (!run)
        return;
    bool ok = false;
    const int number = QInputDialog::getInt(
        this, tr("Lauf verschieben"),
        tr("Lauf %1 von Nr. %2 gehört zur Startnummer:").arg(run->runNumber).arg(run->startNumber),
        run->startNumber, 1, 65535, 1, &ok);
    if (ok)
        m_document.undoStack()->push(new MoveRunCommand(*model, run->id, number));
}

void ResultsWindow::disqualifySelectedRun() {
    EventModel* model = m_document.model();
    const RunRecord* run = model ? model->run(selectedRun()) : nullptr;
    if (!run)
        return;
    const std::optional<QString> why = runsModel->AskDisqualifyReason();
    if (why)
        m_document.undoStack()->push(
            new SetRunStatusCommand(*model, run->id, RunStatus::Disqualified, *why, *why));
}

void ResultsWindow::didNotStartSelectedRun() {
    EventModel* model = m_document.model();
    const RunRecord* run = model ? model->run(selectedRun()) : nullptr;
    if (run)
        m_document.undoStack()->push(new SetRunStatusCommand(*model, run->id, RunStatus::DidNotStart, {}));
}

void ResultsWindow::toggleVoidSelectedRun() {
    EventModel* model = m_document.model();
    const RunRecord* run = model ? model->run(selectedRun()) : nullptr;
    if (run)
        m_document.undoStack()->push(new VoidRunCommand(*model, run->id, !run->voided));
}

void ResultsWindow::toggleDeletedSelectedRun() {
    EventModel* model = m_document.model();
    const RunRecord* run = model ? model->run(selectedRun()) : nullptr;
    if (run)
        m_document.undoStack()->push(new MarkRunDeletedCommand(*model, run->id, !run->deleted));
}

void ResultsWindow::correctSelectedRun() {
    EventModel* model = m_document.model();
    const RunRecord* run = model ? model->run(selectedRun()) : nullptr;
    if (!run)
        return;
    bool ok = false;
    const QString text =
        QInputDialog::getText(this, tr("Korrektur nach Protest"),
                              tr("Was wurde korrigiert und warum (erscheint in der Ergebnisliste):"),
                              QLineEdit::Normal, run->correction, &ok);
    if (ok)
        m_document.undoStack()->push(
            new SetCorrectionCommand(*model, run->id, text.trimmed(), text.trimmed()));
}

void ResultsWindow::confirmSelectedRun() {
    EventModel* model = m_document.model();
    const RunRecord* run = model ? model->run(selectedRun()) : nullptr;
    if (run && run->needsCheck)
        m_document.undoStack()->push(new ConfirmRunCommand(*model, run->id));
}
