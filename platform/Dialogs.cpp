#include "Dialogs.h"

#include <QApplication>
#include <QMessageBox>

namespace platform {

namespace {
QtDialogs g_qtDialogs;
Dialogs* g_dialogs = &g_qtDialogs;
} // namespace

void QtDialogs::showMessage(const QString& text) {
    QMessageBox::information(QApplication::activeWindow(), QApplication::applicationName(), text);
}

Dialogs& dialogs() {
    return *g_dialogs;
}

void setDialogs(Dialogs* d) {
    g_dialogs = d ? d : &g_qtDialogs;
}

} // namespace platform
