#pragma once

#include <QLocale>
#include <QStringList>

class QTranslator;

namespace platform {

/// The language of the interface as chosen in the settings ("Sprache").
enum class Language {
    System, ///< as the desktop's: English on an English desktop, German otherwise
    German, ///< the program's own language
    English,
};

/// The language a choice comes to on a desktop of `system`'s language: never System.
Language resolveLanguage(Language choice, const QLocale& system = QLocale());

/// The folders the program's translations are looked for in, first found wins: the data folder
/// beside the installed program (<prefix>/share/vantro/translations), then the build folder's.
QStringList translationFolders();

/// Makes `language` the interface's: for English, installs the program's English texts (from
/// the first of `folders` that has them); for German, Qt's own German texts (see below). Returns
/// the translators installed, owned by the application; empty when nothing was found or needed.
QList<QTranslator*> installLanguage(Language language, const QStringList& folders = translationFolders());

/// Sets the process's numeric C locale back to "C" after the application object took the user's
/// locale for every category. Libraries that print numbers with printf (the spreadsheet writer)
/// then write a decimal point whatever the user's locale. Call right after the application object
/// is created.
void keepCNumericLocale();

/// Loads Qt's own translations (the texts of its dialogs and standard buttons) for `locale` when
/// it is German, the language of the program, and installs them in the application. Returns the
/// installed translator, owned by the application, or nullptr when nothing was installed (another
/// language, or the translations are not there).
QTranslator* installQtTranslations(const QLocale& locale = QLocale());

} // namespace platform
