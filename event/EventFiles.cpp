#include "event/EventFiles.h"

#include <QDir>
#include <QFileInfo>

QString defaultEventFolder() {
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.local/share");
    return base + QStringLiteral("/vantro/events");
}

QString newEventFilePath(const QString& folder, const QDate& date) {
    const QString stem = QDir(folder).filePath(date.toString(Qt::ISODate));
    QString path = stem + QLatin1String(EventFileExtension);
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = stem + QStringLiteral("-%1").arg(n) + QLatin1String(EventFileExtension);
    return path;
}
