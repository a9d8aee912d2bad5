#pragma once

#include <QLocale>

class QTranslator;

namespace platform {

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
