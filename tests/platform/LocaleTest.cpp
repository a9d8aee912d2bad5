// The process locale the program sets up at its start.
#include "platform/Locale.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QPushButton>
#include <QScopeGuard>
#include <QTranslator>
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <string>

namespace {

// The caption of a standard button, without its mnemonic marker.
std::string buttonText(QDialogButtonBox::StandardButton which) {
    QDialogButtonBox box(which);
    return box.button(which)->text().remove(QLatin1Char('&')).toStdString();
}

TEST(QtTranslations, QtsOwnDialogsSpeakGermanUnderAGermanLocale) {
    QTranslator* translator = platform::installQtTranslations(QLocale(QLocale::German, QLocale::Germany));
    ASSERT_NE(translator, nullptr) << "Qt's German translations (qt6-translations-l10n) are not installed";
    auto remove = qScopeGuard([&] {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    });
    EXPECT_EQ(buttonText(QDialogButtonBox::Save), "Speichern");
    EXPECT_EQ(buttonText(QDialogButtonBox::Cancel), "Abbrechen");
    EXPECT_EQ(buttonText(QDialogButtonBox::Yes), "Ja");
    // A file dialog built by Qt itself, never shown.
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    const auto* accept = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Save);
    ASSERT_NE(accept, nullptr);
    EXPECT_EQ(accept->text().remove(QLatin1Char('&')).toStdString(), "Speichern");
}

TEST(QtTranslations, OtherLanguagesKeepQtsEnglish) {
    EXPECT_EQ(platform::installQtTranslations(QLocale(QLocale::French, QLocale::France)), nullptr);
    EXPECT_EQ(buttonText(QDialogButtonBox::Save), "Save");
}

TEST(NumericLocale, NumbersPrintedByLibrariesKeepTheirDecimalPointUnderAGermanLocale) {
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    auto restore = qScopeGuard([&] { std::setlocale(LC_ALL, saved.c_str()); });
    // What the application object does at its start on a German desktop.
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
        GTEST_SKIP() << "the locale de_DE.UTF-8 is not generated";
    platform::keepCNumericLocale();
    char printed[16];
    std::snprintf(printed, sizeof printed, "%g", 0.7);
    EXPECT_STREQ(printed, "0.7");
    // The rest of the user's locale stays.
    EXPECT_STREQ(std::setlocale(LC_COLLATE, nullptr), "de_DE.UTF-8");
}

} // namespace
