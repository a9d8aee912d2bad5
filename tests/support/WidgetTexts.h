#pragma once

#include "platform/Locale.h"

#include <QList>
#include <QStringList>

class QTranslator;
class QWidget;

namespace testsupport {

/// Every text a person can see in `root` and the widgets below it: window titles, labels, buttons,
/// group boxes, tabs, combo box items, actions and their menus, tool tips, place-holder texts and
/// the headers of item views. Mnemonic ampersands are removed.
QStringList widgetTexts(QWidget* root);

/// The texts of `texts` that look German: a letter only German has (ä, ö, ü, ß) or a common German
/// word. Texts listed in `allowed` (the protocol's own) are left out.
QStringList germanTexts(const QStringList& texts, const QStringList& allowed = {});

/// With VANTRO_SCREENSHOT_DIR set, shows `window` and saves a picture of it there as <name>.png, one
/// per tab (<name>-<tab>.png) when it has tabs: a look at whether a language's texts still fit.
/// Nothing without it.
void saveScreenshots(QWidget& window, const QString& name);

/// Installs the program's translations for `language` for the life of this object, as the program
/// does at start, and removes them again.
class ScopedLanguage {
public:
    explicit ScopedLanguage(platform::Language language);
    ~ScopedLanguage();
    ScopedLanguage(const ScopedLanguage&) = delete;
    ScopedLanguage& operator=(const ScopedLanguage&) = delete;

    /// False when the language's translations were not found (English needs the build's .qm).
    bool installed() const { return !m_translators.isEmpty(); }

private:
    QList<QTranslator*> m_translators;
};

} // namespace testsupport
