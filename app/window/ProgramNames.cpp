#include "app/window/ProgramNames.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString ChangeFileExt(const QString& fileName, const QString& ext) {
    const qsizetype slash = fileName.lastIndexOf(QLatin1Char('/'));
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    // A leading dot makes a hidden name, not an extension.
    if (dot > slash + 1)
        return fileName.left(dot) + ext;
    return fileName + ext;
}

ProgramNames ProgramNamesOf(const QString& programFile) {
    ProgramNames names;
    const QString fileName = QFileInfo(programFile).fileName();
    names.Title = ChangeFileExt(fileName, QString());
    names.RegistryKey = QStringLiteral("\\Software\\") + names.Title;
    names.DefaultDocument = ChangeFileExt(programFile, QStringLiteral(".doc"));
    names.HelpFile = ChangeFileExt(programFile, QStringLiteral(".html"));
    names.DialogFolder = QFileInfo(programFile).absolutePath();
    return names;
}

QStringList ProgramFileCandidates(const QString& besideProgram, const QString& title) {
    const QFileInfo info(besideProgram);
    const QString name = info.fileName();
    const QString relative = title + QLatin1Char('/') + name;
    QStringList candidates{besideProgram,
                           QDir::cleanPath(info.absolutePath() + QStringLiteral("/../share/") + relative)};
    for (const QString& dataDir : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
        const QString path = QDir::cleanPath(dataDir + QLatin1Char('/') + relative);
        if (!candidates.contains(path))
            candidates.append(path);
    }
    return candidates;
}

QString LocateProgramFile(const QString& besideProgram, const QString& title) {
    for (const QString& path : ProgramFileCandidates(besideProgram, title)) {
        if (QFileInfo(path).isFile())
            return path;
    }
    return besideProgram;
}
