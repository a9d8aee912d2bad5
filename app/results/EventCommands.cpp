#include "app/results/EventCommands.h"

#include "app/results/EventDialog.h"
#include "app/results/EventDocument.h"
#include "app/results/ResultsPrint.h"
#include "event/EventFiles.h"
#include "event/ResultsExport.h"
#include "platform/Dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QStandardPaths>

EventCommands::EventCommands(EventDocument& document, QWidget* parent)
    : QObject(parent), m_document(document), m_parent(parent) {}

int EventCommands::resolution() const {
    return Resolution ? Resolution() : 2;
}

void EventCommands::fillMenu(QMenu* menu) {
    menu->addAction(tr("Veranstaltung &bearbeiten …"), this, &EventCommands::editEvent);
    menu->addAction(tr("&Neu …"), this, &EventCommands::newEvent);
    menu->addAction(tr("Ö&ffnen …"), this, &EventCommands::openEvent);
    menu->addAction(tr("&Kopie speichern unter …"), this, &EventCommands::saveCopy);
    menu->addSeparator();
    menu->addAction(tr("Startliste &importieren …"), this, &EventCommands::importStartList);
    menu->addAction(tr("Startliste e&xportieren …"), this, &EventCommands::exportStartList);
    menu->addSeparator();
    menu->addAction(tr("Ergebnisliste &drucken …"), this, &EventCommands::printResults);
    menu->addAction(tr("Ergebnisse als &CSV …"), this, &EventCommands::exportCsv);
    menu->addAction(tr("Ergebnisse als E&xcel-Datei (.xlsx) …"), this, &EventCommands::exportXlsx);
    menu->addAction(tr("Ergebnisse als &HTML-Seite …"), this, &EventCommands::exportHtml);
}

void EventCommands::editEvent() {
    if (!m_document.isOpen()) {
        const StoreError e = m_document.ensureEvent(Today ? Today() : QDate::currentDate());
        if (e)
            platform::dialogs().showMessage(e.message);
    }
    EventDialog dialog(m_document, m_parent);
    platform::dialogs().execModal(dialog);
}

void EventCommands::newEvent() {
    platform::FileDialogOptions options;
    options.Title = tr("Neue Veranstaltung");
    options.Filter = tr("Veranstaltung (*.vantro)|*.vantro");
    options.DefaultExt = QStringLiteral("vantro");
    options.InitialDir = m_document.folder();
    QDir().mkpath(m_document.folder());
    const QDate today = Today ? Today() : QDate::currentDate();
    options.FileName = QFileInfo(newEventFilePath(m_document.folder(), today)).fileName();
    const platform::FileDialogResult chosen = platform::dialogs().saveFile(options);
    if (!chosen.Accepted)
        return;
    EventInfo info;
    info.name = QFileInfo(chosen.FileName).completeBaseName();
    info.date = today;
    m_document.close();
    if (const StoreError e = m_document.create(chosen.FileName, info)) {
        platform::dialogs().showMessage(e.message);
        return;
    }
    editEvent();
}

void EventCommands::openEvent() {
    platform::FileDialogOptions options;
    options.Title = tr("Veranstaltung öffnen");
    options.Filter = tr("Veranstaltung (*.vantro)|*.vantro|Alle Dateien|*");
    options.InitialDir = m_document.folder();
    const platform::FileDialogResult chosen = platform::dialogs().openFile(options);
    if (!chosen.Accepted)
        return;
    if (const StoreError e = m_document.open(chosen.FileName))
        platform::dialogs().showMessage(e.message);
}

void EventCommands::saveCopy() {
    if (!m_document.isOpen())
        return;
    platform::FileDialogOptions options;
    options.Title = tr("Kopie der Veranstaltung speichern");
    options.Filter = tr("Veranstaltung (*.vantro)|*.vantro");
    options.DefaultExt = QStringLiteral("vantro");
    options.InitialDir = m_document.folder();
    const platform::FileDialogResult chosen = platform::dialogs().saveFile(options);
    if (!chosen.Accepted)
        return;
    if (const StoreError e = m_document.saveCopy(chosen.FileName))
        platform::dialogs().showMessage(e.message);
}

void EventCommands::importStartList() {
    if (!m_document.isOpen())
        if (const StoreError e = m_document.ensureEvent(Today ? Today() : QDate::currentDate()))
            platform::dialogs().showMessage(e.message);
    EventDialog dialog(m_document, m_parent);
    dialog.importStartList();
}

void EventCommands::exportStartList() {
    if (!m_document.isOpen())
        return;
    EventDialog dialog(m_document, m_parent);
    dialog.exportStartList();
}

void EventCommands::printResults() {
    if (!m_document.isOpen())
        return;
    const EventData& data = m_document.model()->data();
    QList<SheetSection> sections = resultSections(m_document.standings(), resolution());
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QString error =
        ::printResults(resultTitleLines(data.info), sections, tr("Ergebnisliste %1").arg(data.info.name));
    QApplication::restoreOverrideCursor();
    if (!error.isEmpty())
        platform::dialogs().showMessage(error);
}

QString EventCommands::exportPath(const QString& title, const QString& filter, const QString& ext) {
    if (!m_document.isOpen())
        return {};
    platform::FileDialogOptions options;
    options.Title = title;
    options.Filter = filter;
    options.DefaultExt = ext;
    options.InitialDir = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString name = m_document.model()->data().info.name.trimmed();
    options.FileName = tr("Ergebnisse %1.%2").arg(name.isEmpty() ? tr("Veranstaltung") : name, ext);
    const platform::FileDialogResult chosen = platform::dialogs().saveFile(options);
    return chosen.Accepted ? chosen.FileName : QString();
}

void EventCommands::exportCsv() {
    const QString path =
        exportPath(tr("Ergebnisse als CSV"), tr("CSV-Datei (*.csv)|*.csv"), QStringLiteral("csv"));
    if (path.isEmpty())
        return;
    const EventData& data = m_document.model()->data();
    const QString e =
        saveResultsCsv(path, m_document.standings(), data.info, resolution(), {auditSection(data)});
    if (!e.isEmpty())
        platform::dialogs().showMessage(e);
}

void EventCommands::exportXlsx() {
    const QString path = exportPath(tr("Ergebnisse als Excel-Datei"),
                                    tr("Excel-Arbeitsmappe (*.xlsx)|*.xlsx"), QStringLiteral("xlsx"));
    if (path.isEmpty())
        return;
    const EventData& data = m_document.model()->data();
    const QString e =
        saveResultsXlsx(path, m_document.standings(), data.info, resolution(), {auditSection(data)});
    if (!e.isEmpty())
        platform::dialogs().showMessage(e);
}

void EventCommands::exportHtml() {
    const QString path =
        exportPath(tr("Ergebnisse als HTML-Seite"), tr("HTML-Seite (*.html)|*.html"), QStringLiteral("html"));
    if (path.isEmpty())
        return;
    const EventData& data = m_document.model()->data();
    const QString e =
        saveResultsHtml(path, m_document.standings(), data.info, resolution(), {auditSection(data)});
    if (!e.isEmpty())
        platform::dialogs().showMessage(e);
}
