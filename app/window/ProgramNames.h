#pragma once

#include <QString>
#include <QStringList>

/// The names the program takes from its own file at start-up. Renaming the program file renames
/// them all together: "kartex" keeps its settings under "\Software\kartex" and looks for
/// "kartex.html" and "kartex.doc".
struct ProgramNames {
    /// The file name without folder and extension: the window title of the program's dialogs, the
    /// last part of the settings key, the print job title.
    QString Title;
    /// "\Software\" followed by the title.
    QString RegistryKey;
    /// The program file with its extension changed to ".doc".
    QString DefaultDocument;
    /// The program file with its extension changed to ".html".
    QString HelpFile;
    /// The program's folder: where the save and open dialogs start.
    QString DialogFolder;
};

/// The names of the program file `programFile` (its full path).
ProgramNames ProgramNamesOf(const QString& programFile);

/// `fileName` with the extension of its last part replaced by `ext` (given with its dot), or
/// `ext` appended when that part has none. Dots in the folders do not count.
QString ChangeFileExt(const QString& fileName, const QString& ext);

/// Where a file that ships beside the program (`besideProgram`, e.g. "/usr/bin/vantro.html") can be:
/// beside the program first, then in the data folder of an installation ("../share/<title>/" from
/// the program's folder), then in the system's data folders ("<data>/<title>/").
QStringList ProgramFileCandidates(const QString& besideProgram, const QString& title);

/// The first of the candidates of `besideProgram` that exists as a file; `besideProgram` itself when
/// none does, so a message can name where the file was expected.
QString LocateProgramFile(const QString& besideProgram, const QString& title);
