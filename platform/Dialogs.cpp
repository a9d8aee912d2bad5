#include "Dialogs.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace platform {

namespace {
QtDialogs g_qtDialogs;
Dialogs* g_dialogs = &g_qtDialogs;
} // namespace

void QtDialogs::showMessage(const QString& text) {
    QMessageBox::information(QApplication::activeWindow(), QApplication::applicationName(), text);
}

bool QtDialogs::askYesNo(const QString& question) {
    QMessageBox box(QMessageBox::Question, QApplication::applicationName(), question, QMessageBox::NoButton,
                    QApplication::activeWindow());
    QAbstractButton* yes = box.addButton(QStringLiteral("Ja"), QMessageBox::YesRole);
    box.addButton(QStringLiteral("Nein"), QMessageBox::NoRole);
    box.setDefaultButton(qobject_cast<QPushButton*>(yes));
    box.exec();
    return box.clickedButton() == yes;
}

Dialogs& dialogs() {
    return *g_dialogs;
}

void setDialogs(Dialogs* d) {
    g_dialogs = d ? d : &g_qtDialogs;
}

} // namespace platform
