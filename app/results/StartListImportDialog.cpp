#include "app/results/StartListImportDialog.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

StartListImportDialog::StartListImportDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("StartListImportDialog"));
    setWindowTitle(tr("Startliste importieren"));
    resize(820, 560);
    auto* layout = new QVBoxLayout(this);
    m_summary = new QLabel(this);
    m_summary->setWordWrap(true);
    layout->addWidget(m_summary);
    m_preview = new QTableWidget(this);
    m_preview->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_preview->verticalHeader()->setVisible(false);
    layout->addWidget(m_preview, 3);
    layout->addWidget(new QLabel(tr("Probleme:"), this));
    m_problems = new QListWidget(this);
    layout->addWidget(m_problems, 1);
    auto* buttons = new QDialogButtonBox(this);
    m_import = buttons->addButton(tr("Importieren"), QDialogButtonBox::AcceptRole);
    m_skip = buttons->addButton(tr("Fehlerhafte Zeilen überspringen"), QDialogButtonBox::ActionRole);
    buttons->addButton(tr("Abbrechen"), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    connect(m_import, &QPushButton::clicked, this, [this] {
        m_taken = m_result.competitors;
        accept();
    });
    connect(m_skip, &QPushButton::clicked, this, [this] {
        const StartListResult lenient = readStartList(m_bytes, StartListMode::SkipErrorLines);
        m_taken = lenient.competitors;
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

bool StartListImportDialog::load(const QString& path) {
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        StartListResult r;
        r.problems.append(
            {0, StartListProblem::Severity::Error, tr("Die Datei %1 lässt sich nicht lesen.").arg(path)});
        showResult(r);
        return false;
    }
    // One byte past the limit is enough to know the file is too large.
    m_bytes = file.read(MaxStartListBytes + 1);
    m_result = readStartList(m_bytes, StartListMode::AllOrNothing);
    showResult(m_result);
    setWindowTitle(tr("Startliste importieren – %1").arg(QFileInfo(path).fileName()));
    return true;
}

void StartListImportDialog::showResult(const StartListResult& result) {
    m_result = result;
    // The preview shows what the good lines hold even when errors stop the import.
    const StartListResult lenient =
        m_bytes.isEmpty() ? result : readStartList(m_bytes, StartListMode::SkipErrorLines);
    const QStringList headings{tr("Nr."),    tr("Vorname"),  tr("Nachname"), tr("Klasse"),
                               tr("Verein"), tr("Fahrzeug"), tr("Jahrgang"), tr("Geschlecht")};
    m_preview->clear();
    m_preview->setColumnCount(int(headings.size()));
    m_preview->setHorizontalHeaderLabels(headings);
    m_preview->setRowCount(int(lenient.competitors.size()));
    for (int r = 0; r < lenient.competitors.size(); ++r) {
        const Competitor& c = lenient.competitors[r];
        const QString sex = c.sex == Sex::Female ? tr("w") : c.sex == Sex::Male ? tr("m") : QString();
        const QStringList cells{QString::number(c.startNumber),
                                c.firstName,
                                c.lastName,
                                c.className,
                                c.club,
                                c.vehicle,
                                c.yearOfBirth ? QString::number(c.yearOfBirth) : QString(),
                                sex};
        for (int col = 0; col < cells.size(); ++col)
            m_preview->setItem(r, col, new QTableWidgetItem(cells[col]));
    }
    m_preview->resizeColumnsToContents();

    m_problems->clear();
    bool fileLevel = false;
    int errors = 0;
    for (const StartListProblem& p : result.problems) {
        const bool error = p.severity == StartListProblem::Severity::Error;
        errors += error ? 1 : 0;
        fileLevel = fileLevel || (error && p.line == 0);
        const QString where = p.line > 0 ? tr("Zeile %1: ").arg(p.line) : QString();
        auto* item =
            new QListWidgetItem((error ? QString() : tr("Hinweis: ")) + where + p.message, m_problems);
        if (error)
            item->setForeground(Qt::darkRed);
    }
    const bool clean = !result.hasErrors() && !result.competitors.isEmpty();
    m_import->setEnabled(clean);
    m_skip->setEnabled(result.hasErrors() && !fileLevel && !lenient.competitors.isEmpty());
    if (clean)
        m_summary->setText(tr("%n Einträge werden importiert.", nullptr, int(result.competitors.size())));
    else if (fileLevel || lenient.competitors.isEmpty())
        m_summary->setText(tr("Die Datei lässt sich nicht importieren. Es wird nichts übernommen."));
    else
        m_summary->setText(tr("%1 Zeilen haben Fehler. Es wird nichts importiert, bis sie in der Datei "
                              "korrigiert sind oder übersprungen werden.")
                               .arg(errors));
}
