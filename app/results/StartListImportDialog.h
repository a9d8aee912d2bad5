#pragma once

#include "event/StartList.h"

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;
class QTableWidget;

/// The start-list import: reads a CSV file a spreadsheet saved, shows what it found (the entries
/// and every problem by line number) and takes the entries only when there is no error, or, on
/// request, without the lines with errors. A file-level problem (empty, no header, too large,
/// not text) imports nothing.
class StartListImportDialog : public QDialog {
    Q_OBJECT
public:
    explicit StartListImportDialog(QWidget* parent = nullptr);

    /// Reads `path` and shows the preview; false when the file could not be read at all.
    bool load(const QString& path);
    /// The entries to import (after the dialog was accepted).
    const QList<Competitor>& competitors() const { return m_taken; }
    /// The problems found in the file.
    const QList<StartListProblem>& problems() const { return m_result.problems; }

    /// The "Importieren" and "Fehlerhafte Zeilen überspringen" buttons, for tests.
    QPushButton* importButton() const { return m_import; }
    QPushButton* skipButton() const { return m_skip; }

private:
    void showResult(const StartListResult& result);

    QByteArray m_bytes;
    StartListResult m_result;
    QList<Competitor> m_taken;
    QLabel* m_summary;
    QTableWidget* m_preview;
    QListWidget* m_problems;
    QPushButton* m_import;
    QPushButton* m_skip;
};
