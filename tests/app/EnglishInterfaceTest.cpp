// The interface in English: the main window and its dialogs show no German text of ours, apart from
// the protocol's own texts, which stored protocol files and their readers rely on.
#include "app/settings/TCfgDialog.h"
#include "app/window/TFDlgYesNo.h"
#include "app/window/TFormMain.h"
#include "testing/FakeClock.h"
#include "testing/FakeDialogs.h"
#include "tests/support/WidgetTexts.h"

#include <gtest/gtest.h>

using testsupport::germanTexts;
using testsupport::ScopedLanguage;
using testsupport::widgetTexts;

namespace {

// The texts of the window and of the dialogs it makes up front.
QStringList interfaceTexts(TFormMain& form) {
    form.CreateDialogs();
    QStringList texts = widgetTexts(&form);
    for (QWidget* dialog : {static_cast<QWidget*>(form.CfgDialog), static_cast<QWidget*>(form.FDlgYesNo)}) {
        if (dialog)
            texts << widgetTexts(dialog);
    }
    return texts;
}

// The protocol's own texts stay as they are in every language.
const QStringList protocolTexts = {QStringLiteral("Nr.:"), QStringLiteral("Start:"), QStringLiteral("Lap:"),
                                   QStringLiteral("Stopp:")};

class EnglishInterface : public ::testing::Test {
protected:
    platform::FakeClock clock{1000, QDateTime(QDate(2026, 12, 9), QTime(9, 0))};
    platform::FakeDialogs dialogs;
};

} // namespace

TEST_F(EnglishInterface, TheMainWindowAndItsDialogsShowNoGermanTextOfOurs) {
    {
        // German, the program's own language: the check sees German texts when there are some.
        TFormMain german;
        EXPECT_GT(germanTexts(interfaceTexts(german)).size(), 20);
    }
    ScopedLanguage english(platform::Language::English);
    ASSERT_TRUE(english.installed()) << "vantro_en.qm not built";
    TFormMain form;
    EXPECT_EQ(germanTexts(interfaceTexts(form), protocolTexts), QStringList{});
}

TEST(Language, TheDesktopsLanguageDecidesOnlyWhenNothingIsChosen) {
    using platform::Language;
    const QLocale german(QLocale::German, QLocale::Germany), english(QLocale::English, QLocale::UnitedStates),
        french(QLocale::French, QLocale::France);
    EXPECT_EQ(platform::resolveLanguage(Language::System, german), Language::German);
    EXPECT_EQ(platform::resolveLanguage(Language::System, english), Language::English);
    EXPECT_EQ(platform::resolveLanguage(Language::System, french), Language::German) << "German stays the default";
    EXPECT_EQ(platform::resolveLanguage(Language::English, german), Language::English);
    EXPECT_EQ(platform::resolveLanguage(Language::German, english), Language::German);
}
