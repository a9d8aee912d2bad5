#include "platform/Locale.h"

#include <QCoreApplication>
#include <QDir>
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

Language resolveLanguage(Language choice, const QLocale& system) {
    if (choice != Language::System)
        return choice;
    // German stays the default on every desktop that does not ask for English.
    return system.language() == QLocale::English ? Language::English : Language::German;
}

QStringList translationFolders() {
    QStringList folders;
    if (QCoreApplication::instance())
        folders << QDir::cleanPath(QCoreApplication::applicationDirPath() +
                                   QStringLiteral("/../share/vantro/translations"));
#ifdef VANTRO_BUILD_TRANSLATIONS
    folders << QStringLiteral(VANTRO_BUILD_TRANSLATIONS);
#endif
    return folders;
}

QList<QTranslator*> installLanguage(Language language, const QStringList& folders) {
    QList<QTranslator*> installed;
    if (!QCoreApplication::instance())
        return installed;
    switch (resolveLanguage(language)) {
    case Language::German:
        if (QTranslator* qt = installQtTranslations(QLocale(QLocale::German, QLocale::Germany)))
            installed << qt;
        break;
    case Language::English:
    case Language::System:
        // Qt's own texts are English already.
        for (const QString& folder : folders) {
            auto* translator = new QTranslator(QCoreApplication::instance());
            if (translator->load(QStringLiteral("vantro_en"), folder) &&
                QCoreApplication::installTranslator(translator)) {
                installed << translator;
                break;
            }
            delete translator;
        }
        break;
    }
    return installed;
}

} // namespace platform
