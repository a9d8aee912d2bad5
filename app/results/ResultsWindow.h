#pragma once

#include <QMainWindow>

class AuditTableModel;
class EventCommands;
class EventDocument;
class QComboBox;
class QLabel;
class QTabWidget;
class QTableView;
class RunsTableModel;
class SheetTableModel;

/// "Ergebnisse": the runs of the open event (newest first, penalties and status edited in place),
/// the rankings per class, overall, of the teams and the honours, and the audit list. Not modal;
/// it can stay open on a second screen while the timing goes on. Everything it shows is refreshed
/// when a change is committed.
class ResultsWindow : public QMainWindow {
    Q_OBJECT
public:
    ResultsWindow(EventDocument& document, EventCommands& commands, QWidget* parent = nullptr);

    /// Time resolution of the texts: 2 hundredths, 1 tenths, 0 seconds.
    void setResolution(int resolution);

    /// The parts, for tests.
    QTabWidget* tabs = nullptr;
    QTableView* runsView = nullptr;
    QComboBox* sectionChoice = nullptr;
    QTableView* rankingView = nullptr;
    QTableView* auditView = nullptr;
    QLabel* writeBanner = nullptr;
    RunsTableModel* runsModel = nullptr;
    SheetTableModel* rankingModel = nullptr;
    AuditTableModel* auditModel = nullptr;

    /// The run selected in the runs table (0: none).
    int64_t selectedRun() const;
    /// Moves the selected run to another start number (asks for it).
    void moveSelectedRun();
    /// Disqualifies the selected run (asks for the reason).
    void disqualifySelectedRun();
    /// Marks the selected run "nicht gestartet".
    void didNotStartSelectedRun();
    /// Marks the selected run void (the competitor drives again) or valid again.
    void toggleVoidSelectedRun();
    /// Marks the selected run deleted or takes the mark away.
    void toggleDeletedSelectedRun();
    /// Sets a correction text with its reason on the selected run.
    void correctSelectedRun();
    /// Confirms the selected run flagged "prüfen": the flag clears (undoable, audited).
    void confirmSelectedRun();

private:
    void buildMenus();
    void refresh();
    void showSection();
    void showWriteState();

    EventDocument& m_document;
    EventCommands& m_commands;
    int m_resolution = 2;
};
