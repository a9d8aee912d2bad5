#include "app/results/EventDialog.h"

#include "app/results/CompetitorTableModel.h"
#include "app/results/EventDocument.h"
#include "app/results/StartListImportDialog.h"
#include "event/AuditTexts.h"
#include "event/EditCompetitorCommand.h"
#include "event/ResultsExport.h"
#include "platform/Dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QUndoStack>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

// Stored in the audit entry of a change of the rules, in German whatever the interface speaks, as
// every audit entry is.
QString rulesSummary(const EventRules& r) {
    QString scoring = r.scoring == Scoring::BestRun  ? QStringLiteral("bester Lauf")
                      : r.scoring == Scoring::SumAll ? QStringLiteral("Summe aller Läufe")
                                                     : QStringLiteral("Summe der besten %1").arg(r.bestN);
    QStringList limits;
    if (r.minRunTimeMs > 0)
        limits << QStringLiteral("ab %1 s").arg(QLocale().toString(r.minRunTimeMs / 1000.0));
    if (r.maxRunTimeMs > 0)
        limits << QStringLiteral("bis %1 s").arg(QLocale().toString(r.maxRunTimeMs / 1000.0));
    if (r.maxSpeed > 0)
        limits << QStringLiteral("bis %1 km/h").arg(QLocale().toString(double(r.maxSpeed) / 1000.0));
    return QStringLiteral("%1; Pylone %2 s, Tor %3 s%4%5%6")
        .arg(scoring)
        .arg(QLocale().toString(r.conePenaltyMs / 1000.0))
        .arg(QLocale().toString(r.gatePenaltyMs / 1000.0))
        .arg(r.firstRunIsTraining ? QStringLiteral("; 1. Lauf Training") : QString())
        .arg(r.teams.enabled ? QStringLiteral("; Mannschaften bis %1").arg(r.teams.maxMembers) : QString())
        .arg(limits.isEmpty() ? QString()
                              : QStringLiteral("; plausibel ") + limits.join(QStringLiteral(", ")));
}

} // namespace

EventDialog::EventDialog(EventDocument& document, QWidget* parent) : QDialog(parent), m_document(document) {
    setObjectName(QStringLiteral("EventDialog"));
    setWindowTitle(tr("Veranstaltung"));
    resize(860, 600);
    auto* tabs = new QTabWidget(this);

    auto* general = new QWidget(tabs);
    auto* gf = new QFormLayout(general);
    name = new QLineEdit(general);
    date = new QDateEdit(general);
    date->setCalendarPopup(true);
    date->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    place = new QLineEdit(general);
    gf->addRow(tr("&Name:"), name);
    gf->addRow(tr("&Datum:"), date);
    gf->addRow(tr("&Ort:"), place);
    gf->addRow(new QLabel(tr("Datei: %1").arg(document.path()), general));
    tabs->addTab(general, tr("Allgemein"));

    auto* scoringPage = new QWidget(tabs);
    auto* sf = new QFormLayout(scoringPage);
    scoring = new QComboBox(scoringPage);
    scoring->addItems({tr("bester Lauf"), tr("Summe aller Läufe"), tr("Summe der besten N von M")});
    bestN = new QSpinBox(scoringPage);
    bestN->setRange(1, 20);
    conePenalty = new QDoubleSpinBox(scoringPage);
    gatePenalty = new QDoubleSpinBox(scoringPage);
    for (QDoubleSpinBox* s : {conePenalty, gatePenalty}) {
        s->setRange(0, 600);
        s->setDecimals(2);
        s->setSuffix(tr(" s"));
    }
    firstRunTraining = new QCheckBox(tr("Der erste Lauf jedes Fahrers ist ein Trainingslauf"), scoringPage);
    sf->addRow(tr("&Wertung:"), scoring);
    sf->addRow(tr("Beste &N:"), bestN);
    sf->addRow(tr("Strafe je &Pylone:"), conePenalty);
    sf->addRow(tr("Strafe je &Tor/Aufgabe:"), gatePenalty);
    sf->addRow(firstRunTraining);
    // A run outside these limits is kept and flagged "prüfen" until the operator confirms it.
    minRunTime = new QDoubleSpinBox(scoringPage);
    maxRunTime = new QDoubleSpinBox(scoringPage);
    maxSpeed = new QDoubleSpinBox(scoringPage);
    for (QDoubleSpinBox* s : {minRunTime, maxRunTime, maxSpeed}) {
        s->setDecimals(2);
        s->setSpecialValueText(tr("aus"));
    }
    minRunTime->setRange(0, 3600);
    maxRunTime->setRange(0, 3600);
    minRunTime->setSuffix(tr(" s"));
    maxRunTime->setSuffix(tr(" s"));
    maxSpeed->setRange(0, 1000);
    maxSpeed->setSuffix(tr(" km/h"));
    sf->addRow(tr("Laufzeit &mindestens:"), minRunTime);
    sf->addRow(tr("Laufzeit &höchstens:"), maxRunTime);
    sf->addRow(tr("&Geschwindigkeit höchstens:"), maxSpeed);
    connect(scoring, &QComboBox::currentIndexChanged, this, [this](int i) { bestN->setEnabled(i == 2); });
    tabs->addTab(scoringPage, tr("Wertung"));

    auto* classes = new QWidget(tabs);
    auto* cl = new QVBoxLayout(classes);
    cl->addWidget(new QLabel(tr("Fahrer ohne Klasse bekommen die Klasse ihres Jahrgangs:"), classes));
    classTable = new QTableWidget(0, 3, classes);
    classTable->setHorizontalHeaderLabels({tr("Klasse"), tr("Jahrgang von"), tr("Jahrgang bis")});
    cl->addWidget(classTable);
    auto* classButtons = new QHBoxLayout;
    auto* addClass = new QPushButton(tr("Klasse hinzufügen"), classes);
    auto* removeClass = new QPushButton(tr("Klasse entfernen"), classes);
    classButtons->addWidget(addClass);
    classButtons->addWidget(removeClass);
    classButtons->addStretch();
    cl->addLayout(classButtons);
    connect(addClass, &QPushButton::clicked, this, [this] { classTable->insertRow(classTable->rowCount()); });
    connect(removeClass, &QPushButton::clicked, this, [this] {
        if (classTable->currentRow() >= 0)
            classTable->removeRow(classTable->currentRow());
    });
    tabs->addTab(classes, tr("Klassen"));

    auto* teams = new QWidget(tabs);
    auto* tf = new QFormLayout(teams);
    teamsEnabled = new QCheckBox(tr("Mannschaftswertung aus der Spalte Verein"), teams);
    teamSize = new QSpinBox(teams);
    teamSize->setRange(1, 20);
    teamDifferentClasses = new QCheckBox(tr("Fahrer einer Mannschaft aus verschiedenen Klassen"), teams);
    teamScoring = new QComboBox(teams);
    teamScoring->addItems({tr("Summe der Ergebnisse"), tr("Summe der Klassenplätze")});
    tf->addRow(teamsEnabled);
    tf->addRow(tr("Fahrer je Mannschaft höchstens:"), teamSize);
    tf->addRow(teamDifferentClasses);
    tf->addRow(tr("Mannschaftsergebnis:"), teamScoring);
    tabs->addTab(teams, tr("Mannschaften"));

    auto* list = new QWidget(tabs);
    auto* ll = new QVBoxLayout(list);
    startList = new QTableView(list);
    startListModel = new CompetitorTableModel(document, this);
    startListModel->OnRefused = [](const QString& why) { platform::dialogs().showMessage(why); };
    startList->setModel(startListModel);
    startList->verticalHeader()->setVisible(false);
    startList->horizontalHeader()->setStretchLastSection(true);
    ll->addWidget(startList);
    auto* listButtons = new QHBoxLayout;
    auto* importButton = new QPushButton(tr("&Importieren …"), list);
    auto* exportButton = new QPushButton(tr("E&xportieren …"), list);
    auto* addButton = new QPushButton(tr("Eintrag &hinzufügen"), list);
    auto* removeButton = new QPushButton(tr("Eintrag &entfernen"), list);
    for (QPushButton* b : {importButton, exportButton, addButton, removeButton})
        listButtons->addWidget(b);
    listButtons->addStretch();
    ll->addLayout(listButtons);
    connect(importButton, &QPushButton::clicked, this, &EventDialog::importStartList);
    connect(exportButton, &QPushButton::clicked, this, &EventDialog::exportStartList);
    connect(addButton, &QPushButton::clicked, this, &EventDialog::addCompetitor);
    connect(removeButton, &QPushButton::clicked, this, &EventDialog::removeCompetitor);
    tabs->addTab(list, tr("Startliste"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("Abbrechen"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addWidget(buttons);
    load();
}

void EventDialog::load() {
    const EventModel* model = m_document.model();
    if (!model)
        return;
    const EventInfo& i = model->data().info;
    const EventRules& r = model->data().rules;
    name->setText(i.name);
    date->setDate(i.date.isValid() ? i.date : QDate::currentDate());
    place->setText(i.place);
    scoring->setCurrentIndex(int(r.scoring));
    bestN->setValue(r.bestN);
    bestN->setEnabled(r.scoring == Scoring::SumBestN);
    conePenalty->setValue(r.conePenaltyMs / 1000.0);
    gatePenalty->setValue(r.gatePenaltyMs / 1000.0);
    firstRunTraining->setChecked(r.firstRunIsTraining);
    minRunTime->setValue(r.minRunTimeMs / 1000.0);
    maxRunTime->setValue(r.maxRunTimeMs / 1000.0);
    maxSpeed->setValue(double(r.maxSpeed) / 1000.0);
    classTable->setRowCount(int(r.classTable.size()));
    for (int row = 0; row < r.classTable.size(); ++row) {
        const ClassBand& b = r.classTable[row];
        classTable->setItem(row, 0, new QTableWidgetItem(b.className));
        classTable->setItem(row, 1, new QTableWidgetItem(QString::number(b.fromYear)));
        classTable->setItem(row, 2, new QTableWidgetItem(QString::number(b.toYear)));
    }
    teamsEnabled->setChecked(r.teams.enabled);
    teamSize->setValue(r.teams.maxMembers);
    teamDifferentClasses->setChecked(r.teams.membersFromDifferentClasses);
    teamScoring->setCurrentIndex(int(r.teams.scoring));
}

EventInfo EventDialog::info() const {
    EventInfo i;
    i.name = name->text().trimmed();
    i.date = date->date();
    i.place = place->text().trimmed();
    return i;
}

std::optional<EventRules> EventDialog::rules(QString* problem) const {
    EventRules r = m_document.model() ? m_document.model()->data().rules : EventRules{};
    r.scoring = Scoring(scoring->currentIndex());
    r.bestN = bestN->value();
    r.conePenaltyMs = int32_t(std::lround(conePenalty->value() * 1000));
    r.gatePenaltyMs = int32_t(std::lround(gatePenalty->value() * 1000));
    r.firstRunIsTraining = firstRunTraining->isChecked();
    r.minRunTimeMs = int32_t(std::lround(minRunTime->value() * 1000));
    r.maxRunTimeMs = int32_t(std::lround(maxRunTime->value() * 1000));
    r.maxSpeed = std::llround(maxSpeed->value() * 1000);
    if (r.minRunTimeMs > 0 && r.maxRunTimeMs > 0 && r.minRunTimeMs > r.maxRunTimeMs) {
        if (problem)
            *problem = tr("Die kürzeste Laufzeit ist länger als die längste.");
        return std::nullopt;
    }
    r.classTable.clear();
    for (int row = 0; row < classTable->rowCount(); ++row) {
        auto text = [&](int col) {
            const QTableWidgetItem* item = classTable->item(row, col);
            return item ? item->text().trimmed() : QString();
        };
        if (text(0).isEmpty() && text(1).isEmpty() && text(2).isEmpty())
            continue;
        bool okFrom = false, okTo = false;
        ClassBand b{text(0), text(1).toInt(&okFrom), text(2).toInt(&okTo)};
        if (b.className.isEmpty() || !okFrom || !okTo || b.fromYear > b.toYear) {
            if (problem)
                *problem = tr("Klassentabelle, Zeile %1: bitte eine Klasse und die Jahrgänge von–bis "
                              "(der erste nicht größer als der zweite) eingeben.")
                               .arg(row + 1);
            return std::nullopt;
        }
        r.classTable.append(b);
    }
    r.teams.enabled = teamsEnabled->isChecked();
    r.teams.maxMembers = teamSize->value();
    r.teams.membersFromDifferentClasses = teamDifferentClasses->isChecked();
    r.teams.scoring = TeamScoring(teamScoring->currentIndex());
    return r;
}

bool EventDialog::apply() {
    EventModel* model = m_document.model();
    if (!model)
        return false;
    QString problem;
    const std::optional<EventRules> r = rules(&problem);
    if (!r) {
        platform::dialogs().showMessage(problem);
        return false;
    }
    model->setInfo(info());
    if (*r != model->data().rules) {
        AuditEntry entry;
        entry.what = storedAuditText(QT_TRANSLATE_NOOP("AuditTexts", "Wertung"));
        entry.oldValue = rulesSummary(model->data().rules);
        entry.newValue = rulesSummary(*r);
        model->setRules(*r);
        model->addAudit(entry);
    }
    return true;
}

void EventDialog::done(int result) {
    if (result == QDialog::Accepted && !apply())
        return;
    QDialog::done(result);
}

void EventDialog::importStartList() {
    platform::FileDialogOptions options;
    options.Title = tr("Startliste importieren");
    options.Filter = tr("Startliste (*.csv;*.txt)|*.csv;*.txt|Alle Dateien|*");
    const platform::FileDialogResult chosen = platform::dialogs().openFile(options);
    if (!chosen.Accepted)
        return;
    StartListImportDialog preview(this);
    preview.load(chosen.FileName);
    if (platform::dialogs().execModal(preview) != QDialog::Accepted || preview.competitors().isEmpty())
        return;
    m_document.importCompetitors(preview.competitors(), QFileInfo(chosen.FileName).fileName());
    startListModel->rebuild();
}

void EventDialog::exportStartList() {
    if (!m_document.model())
        return;
    platform::FileDialogOptions options;
    options.Title = tr("Startliste exportieren");
    options.Filter = tr("Startliste (*.csv)|*.csv");
    options.DefaultExt = QStringLiteral("csv");
    options.FileName = tr("Startliste.csv");
    const platform::FileDialogResult chosen = platform::dialogs().saveFile(options);
    if (!chosen.Accepted)
        return;
    const QString error = saveStartList(chosen.FileName, m_document.model()->data().competitors);
    if (!error.isEmpty())
        platform::dialogs().showMessage(error);
}

void EventDialog::addCompetitor() {
    EventModel* model = m_document.model();
    if (!model)
        return;
    int number = 1;
    for (const Competitor& c : model->data().competitors)
        if (!c.deleted)
            number = std::max(number, c.startNumber + 1);
    Competitor c;
    c.startNumber = std::min(number, 65535);
    c.lastName = tr("(neu)");
    const int64_t id = model->addCompetitor(c);
    AuditEntry entry;
    entry.competitorId = id;
    entry.what = storedAuditText(QT_TRANSLATE_NOOP("AuditTexts", "Startliste"));
    entry.newValue =
        storedAuditText(QT_TRANSLATE_NOOP("AuditTexts", "Eintrag Nr. %1 hinzugefügt")).arg(c.startNumber);
    model->addAudit(entry);
    startListModel->rebuild();
    for (int row = 0; row < startListModel->rowCount(); ++row)
        if (startListModel->competitorId(row) == id)
            startList->edit(startListModel->index(row, CompetitorTableModel::LastName));
}

void EventDialog::removeCompetitor() {
    EventModel* model = m_document.model();
    const int64_t id = startListModel->competitorId(startList->currentIndex().row());
    const Competitor* c = model ? model->competitor(id) : nullptr;
    if (!c)
        return;
    Competitor removed = *c;
    removed.deleted = true;
    m_document.undoStack()->push(new EditCompetitorCommand(*model, removed));
    startListModel->rebuild();
}
