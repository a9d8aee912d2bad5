#include "app/window/TApplication.h"

#include "app/window/ProgramNames.h"

#include "core/Exception.h"
#include "platform/Dialogs.h"
#include "platform/Fonts.h"
#include "platform/Locale.h"
#include "platform/ProgramFile.h"
#include "settings/Registry.h"
#include "settings/Settings.h"

void ShowException(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const Exception& e) {
        platform::dialogs().showMessage(e.Message());
    } catch (const std::exception& e) {
        platform::dialogs().showMessage(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        platform::dialogs().showMessage(QCoreApplication::translate("TFormMain", "Unbekannter Fehler"));
    }
}

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {
    platform::keepCNumericLocale();
    // The window is laid out for the widths of its designed fonts.
    platform::installDesignedFonts();
    setDesktopFileName(QStringLiteral(VANTRO_APP_ID));
}

void TApplication::installLanguage() {
    // The settings are read under the program's title, which the window sets again as it is made.
    setApplicationName(ProgramNamesOf(platform::programFilePath()).Title);
    platform::Registry registry;
    // Qt's own dialogs (file, print, colour, overwrite questions) speak the program's language too.
    platform::installLanguage(Settings::ReadLanguage(registry));
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ShowException(std::current_exception());
        return false;
    }
}
