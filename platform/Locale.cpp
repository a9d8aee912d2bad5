#include "platform/Locale.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <clocale>

namespace platform {

void keepCNumericLocale() {
    // QCoreApplication set every category from the environment; Qt itself formats numbers through
    // QLocale and needs no C numeric locale.
    std::setlocale(LC_NUMERIC, "C");
}

QTranslator* installQtTranslations(const QLocale& locale) {
    if (locale.language() != QLocale::German || !QCoreApplication::instance())
        return nullptr;
    auto* translator = new QTranslator(QCoreApplication::instance());
    // "qt" is the catalogue that pulls in the per-module ones (qtbase: dialogs, buttons, messages).
    if (!translator->load(locale, QStringLiteral("qt"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return nullptr;
    }
    return translator;
}

} // namespace platform
