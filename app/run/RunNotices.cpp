#include "app/run/RunNotices.h"

#include <QCoreApplication>

QString StartNumberWarning(const QString& startNumberText, const QString& nameText,
                           const QList<int>& knownNumbers) {
    bool ok = false;
    const int number = startNumberText.trimmed().toInt(&ok);
    if (startNumberText.trimmed().isEmpty() || !ok || number <= 0)
        return QCoreApplication::translate("RunNotices", "Achtung: START ohne Startnummer");
    if (!knownNumbers.isEmpty() && !knownNumbers.contains(number))
        return QCoreApplication::translate("RunNotices", "Achtung: Nr. %1 fehlt in der Startliste%2")
            .arg(number)
            .arg(nameText.trimmed().isEmpty() ? QString() : QStringLiteral(" (%1)").arg(nameText.trimmed()));
    return {};
}
