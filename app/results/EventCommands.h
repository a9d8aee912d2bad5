#pragma once

#include <QDate>
#include <QObject>

#include <functional>

class EventDocument;
class QAction;
class QMenu;
class QWidget;

/// The commands on the open event that the main window and the results window both offer:
/// the event dialog, new, open, save a copy, start-list import and export, printing and the
/// result files. Each asks through the program's dialogs and shows its errors in a message.
class EventCommands : public QObject {
    Q_OBJECT
public:
    /// `parent` is the window the dialogs belong to.
    EventCommands(EventDocument& document, QWidget* parent);

    /// The time resolution of the results (the main window's: 2 hundredths, 1 tenths, 0 seconds).
    std::function<int()> Resolution;
    /// The date of today (default: the system's).
    std::function<QDate()> Today;

    /// Adds the event's commands to `menu`.
    void fillMenu(QMenu* menu);

    /// "Veranstaltung": the event dialog (an event of today is made first when none is open).
    void editEvent();
    /// Creates a new event under a name chosen in the save dialog.
    void newEvent();
    /// Opens an event file; a file that is not an event leaves the open one open.
    void openEvent();
    /// Saves a copy of the open event.
    void saveCopy();
    /// Start-list import and export through the event dialog's functions.
    void importStartList();
    void exportStartList();
    /// Prints the results list (printer or PDF file chosen under "Drucker").
    void printResults();
    /// The results as a file: CSV, .xlsx or HTML.
    void exportCsv();
    void exportXlsx();
    void exportHtml();

private:
    int resolution() const;
    QString exportPath(const QString& title, const QString& filter, const QString& ext);

    EventDocument& m_document;
    QWidget* m_parent;
};
