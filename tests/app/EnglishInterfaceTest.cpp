// The interface in English: the main window and its dialogs show no German text of ours, apart from
// the protocol's own texts, which stored protocol files and their readers rely on.
#include "app/impulses/ImpulseLog.h"
#include "app/impulses/ImpulseWindow.h"
#include "app/run/BarrierLink.h"
#include "app/run/RunNotices.h"
#include "app/settings/PortSelfTestDialog.h"
#include "app/settings/TCfgDialog.h"
#include "app/window/TFDlgYesNo.h"
#include "app/window/TFormMain.h"
#include "controls/TBitBtnWithColor.h"
#include "platform/Dialogs.h"
#include "platform/RegularFile.h"
#include "serial/PortSelfTest.h"
#include "serial/SerialPortNames.h"
#include "settings/Registry.h"
#include "settings/Settings.h"
#include "testing/FakeClock.h"
#include "testing/FakeDialogs.h"
#include "tests/support/WidgetTexts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUndoStack>
#include <cerrno>
#include <functional>
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

// The light-barrier check and the impulse list, shown as the operator opens them, with their texts.
QStringList barrierWindowTexts(const QString& language) {
    PortSelfTestDialog check;
    check.SelfTest = [](const std::string&) {
        return std::vector<platform::PortFinding>{{platform::FindingSeverity::Ok, QStringLiteral("-")}};
    };
    check.checkPort(QStringLiteral("COM5"));
    check.show();
    testsupport::saveScreenshots(check, QStringLiteral("portcheck-") + language);
    QStringList texts = widgetTexts(&check);

    ImpulseLog log;
    QUndoStack undo;
    ImpulseWindow impulses(log, undo, ImpulseContext{});
    impulses.show();
    testsupport::saveScreenshots(impulses, QStringLiteral("impulses-") + language);
    return texts << widgetTexts(&impulses);
}

} // namespace

TEST_F(EnglishInterface, TheMainWindowAndItsDialogsShowNoGermanTextOfOurs) {
    {
        // German, the program's own language: the check sees German texts when there are some.
        TFormMain german;
        EXPECT_GT(germanTexts(interfaceTexts(german)).size(), 20);
        german.show();
        testsupport::saveScreenshots(german, QStringLiteral("main-de"));
        if (german.CfgDialog)
            testsupport::saveScreenshots(*german.CfgDialog, QStringLiteral("settings-de"));
    }
    ScopedLanguage english(platform::Language::English);
    ASSERT_TRUE(english.installed()) << "vantro_en.qm not built";
    TFormMain form;
    EXPECT_EQ(germanTexts(interfaceTexts(form), protocolTexts), QStringList{});
    form.show();
    testsupport::saveScreenshots(form, QStringLiteral("main-en"));
    if (form.CfgDialog)
        testsupport::saveScreenshots(*form.CfgDialog, QStringLiteral("settings-en"));
}

TEST_F(EnglishInterface, TheLightBarrierCheckAndTheImpulseListShowNoGermanTextOfOurs) {
    EXPECT_GT(germanTexts(barrierWindowTexts(QStringLiteral("de"))).size(), 8);
    ScopedLanguage english(platform::Language::English);
    ASSERT_TRUE(english.installed()) << "vantro_en.qm not built";
    EXPECT_EQ(germanTexts(barrierWindowTexts(QStringLiteral("en"))), QStringList{});
}

// Messages made below the windows reach message boxes and status texts: German by default, English
// once the English texts are installed.
TEST_F(EnglishInterface, MessagesOfTheLowerLayersFollowTheLanguage) {
    QTemporaryDir dir;
    const QString registryFile = dir.filePath(QStringLiteral("registry.reg"));
    const auto invalidSettings = [&] {
        QFile f(registryFile);
        f.open(QIODevice::WriteOnly);
        f.write("Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\" +
                QCoreApplication::applicationName().toUtf8() + "]\r\n\"LenLuch\"=dword:fffffffb\r\n");
        f.close();
        platform::Registry registry(registryFile);
        Settings settings;
        const QString problem = settings.Read(registry).Problem;
        platform::clearComDeviceOverrides();
        return problem;
    };
    platform::PortSelfTestEnvironment env;
    env.Root = dir.path().toStdString();
    struct Message {
        const char* where;
        std::function<QString()> make;
        QString german, english;
    };
    const Message messages[] = {
        {"file error", [] { return platform::errorText(ENOSPC); }, "Kein Speicherplatz mehr auf dem Gerät.",
         "No space left on the device."},
        {"folder read as a file", [&] { return platform::ReadRegularFile(dir.path(), 100).Error; },
         "Es ist ein Ordner, keine Datei.", "It is a folder, not a file."},
        {"replace question", [] { return platform::replaceQuestion(QStringLiteral("/tmp/lauf.csv")); },
         "Die Datei \"lauf.csv\" ist schon vorhanden.\nSoll sie ersetzt werden?",
         "The file \"lauf.csv\" already exists.\nDo you want to replace it?"},
        {"port self-test", [&] { return platform::runPortSelfTest("LPT1", env).front().Text; },
         "„LPT1“ ist kein Portname wie COM1 oder COM5.", "\"LPT1\" is not a port name such as COM1 or COM5."},
        {"settings file", invalidSettings,
         QStringLiteral(
             "In der Einstellungsdatei %1 sind ungültige Werte: LenLuch (LS-Abstand). Für sie gelten "
             "die Grundeinstellungen.")
             .arg(registryFile),
         QStringLiteral("The settings file %1 holds invalid values: LenLuch (barrier distance). The defaults "
                        "apply to them.")
             .arg(registryFile)},
        {"start notice", [] { return StartNumberWarning(QString(), QString(), {}); },
         "Achtung: START ohne Startnummer", "Note: START without a start number"},
        {"barrier status", [] { return BarrierLink().Text(); }, "Lichtschranke: kein Port",
         "Light barrier: no port"},
        {"impulse refused",
         [] {
             QString why;
             ImpulseLog().PlanAssignment(0, PassRole::Lap, 10, 2, QStringLiteral(","), &why);
             return why;
         },
         "Bitte zuerst einen Impuls in der Liste wählen.", "Please choose an impulse in the list first."},
        {"button kind",
         [] {
             TBitBtnWithColor button;
             button.setKind(TBitBtnWithColorKind::bkCancel);
             return button.text();
         },
         "Abbrechen", "Cancel"},
    };
    for (const Message& m : messages)
        EXPECT_EQ(m.make(), m.german) << m.where;
    ScopedLanguage english(platform::Language::English);
    ASSERT_TRUE(english.installed()) << "vantro_en.qm not built";
    for (const Message& m : messages)
        EXPECT_EQ(m.make(), m.english) << m.where;
}

TEST(Language, TheDesktopsLanguageDecidesOnlyWhenNothingIsChosen) {
    using platform::Language;
    const QLocale german(QLocale::German, QLocale::Germany), english(QLocale::English, QLocale::UnitedStates),
        french(QLocale::French, QLocale::France);
    EXPECT_EQ(platform::resolveLanguage(Language::System, german), Language::German);
    EXPECT_EQ(platform::resolveLanguage(Language::System, english), Language::English);
    EXPECT_EQ(platform::resolveLanguage(Language::System, french), Language::German)
        << "German stays the default";
    EXPECT_EQ(platform::resolveLanguage(Language::English, german), Language::English);
    EXPECT_EQ(platform::resolveLanguage(Language::German, english), Language::German);
}
