#pragma once

#include "event/EventInfo.h"
#include "event/EventRules.h"

#include <QDialog>

#include <optional>

class CompetitorTableModel;
class EventDocument;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QDoubleSpinBox;
class QLineEdit;
class QSpinBox;
class QTableView;
class QTableWidget;

/// "Veranstaltung": name, date and place, scoring and penalty values, the class table, the team
/// ranking, and the start list (edited in place, imported from a CSV file, exported). Name, date,
/// place and rules take effect on OK; start-list edits are undoable commands made at once.
class EventDialog : public QDialog {
    Q_OBJECT
public:
    EventDialog(EventDocument& document, QWidget* parent = nullptr);

    /// The values as the dialog's fields hold them; empty optional (and `problem` set) when a
    /// field is not valid.
    std::optional<EventRules> rules(QString* problem = nullptr) const;
    /// Name, date and place as the fields hold them.
    EventInfo info() const;
    /// Puts the fields' values into the event (rules with an audit entry when they changed).
    bool apply();

    /// Asks for a start-list file and imports it through the preview.
    void importStartList();
    /// Saves the start list as a CSV file.
    void exportStartList();

    // Fields, for tests and for the person.
    QLineEdit* name;
    QDateEdit* date;
    QLineEdit* place;
    QComboBox* scoring;
    QSpinBox* bestN;
    QDoubleSpinBox* conePenalty;
    QDoubleSpinBox* gatePenalty;
    QCheckBox* firstRunTraining;
    /// Plausibility: runs outside are flagged "prüfen"; 0 shows "aus".
    QDoubleSpinBox* minRunTime;
    QDoubleSpinBox* maxRunTime;
    QDoubleSpinBox* maxSpeed;
    QTableWidget* classTable;
    QCheckBox* teamsEnabled;
    QSpinBox* teamSize;
    QCheckBox* teamDifferentClasses;
    QComboBox* teamScoring;
    QTableView* startList;
    CompetitorTableModel* startListModel;

private:
    void load();
    void addCompetitor();
    void removeCompetitor();
    void done(int result) override;

    EventDocument& m_document;
};
