// The settings through the main window: read at start-up, changed in the dialog, written on OK and
// at the end, and found again by the next start in the same process.
#include "app/settings/TCfgDialog.h"
#include "app/window/TFormMain.h"
#include "controls/TDigit.h"
#include "controls/ToColorCombo.h"
#include "serial/EComHandle.h"
#include "serial/SerialPortNames.h"
#include "settings/Registry.h"
#include "settings/Settings.h"
#include "testing/FakeClock.h"
#include "testing/FakeDialogs.h"
#include "testing/FakeSerialDevice.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QSpinBox>
#include <QTest>
#include <gtest/gtest.h>

#include <cerrno>
#include <memory>

using platform::FakeDialogs;

namespace {

platform::ComPortScanResult scanOf(std::initializer_list<int> numbers) {
    platform::ComPortScanResult scan;
    for (int n : numbers) {
        platform::ComPortInfo info;
        info.Number = n;
        info.Path = "/dev/fake" + std::to_string(n);
        scan.Ports.push_back(info);
    }
    return scan;
}

Settings stored() {
    platform::Registry registry;
    Settings s;
    s.Read(registry);
    return s;
}

void pick(QComboBox* box, const QString& text) {
    box->setCurrentIndex(box->findText(text));
    emit box->activated(box->currentIndex());
}

} // namespace

TEST(SettingsRoundTrip, FirstStartDefaultsAndTheEndWritesTheWholeList) {
    FakeDialogs dialogs;
    {
        TFormMain form;
        EXPECT_EQ(form.CurrentSettings().Acc, 2);
        EXPECT_EQ(form.ComPort->Port(), 0);
        EXPECT_EQ(form.CurrentSettings().LenLuch, 10);
        EXPECT_EQ(form.size(), QSize(831, 513));
        EXPECT_FALSE(QFile::exists(platform::Registry::DefaultFileName()));
    }
    platform::Registry registry;
    ASSERT_TRUE(registry.OpenKey(Settings::KeyPath(), false));
    EXPECT_EQ(registry.GetValueNames().size(), 22)
        << "the event file, the start number, the live results and the language too";
    EXPECT_EQ(registry.ReadInteger(QStringLiteral("LenLuch")), 10);
    EXPECT_EQ(registry.ReadInteger(QStringLiteral("DeadTime")), 0);
    EXPECT_EQ(registry.ReadInteger(QStringLiteral("LiveOn")), 0);
    EXPECT_EQ(registry.ReadInteger(QStringLiteral("LivePort")), 8080);
}

TEST(SettingsRoundTrip, DamagedValuesAreToldOnceAndRepairedAtTheEnd) {
    FakeDialogs dialogs;
    {
        platform::Registry registry;
        ASSERT_TRUE(registry.OpenKey(Settings::KeyPath(), true));
        registry.WriteString(QStringLiteral("Port"), QStringLiteral("COM1"));
        registry.WriteInteger(QStringLiteral("LenLuch"), 0);
        registry.WriteInteger(QStringLiteral("DeadTime"), 9000);
        registry.WriteInteger(QStringLiteral("Acc"), 1);
    }
    {
        TFormMain form;
        EXPECT_EQ(form.CurrentSettings().LenLuch, 10);
        EXPECT_EQ(form.CurrentSettings().DeadTime, 0);
        EXPECT_EQ(form.CurrentSettings().Acc, 1) << "read although a bad value came before it";
        ASSERT_EQ(dialogs.messages().size(), 1);
        for (const char* name : {"Port", "LenLuch", "DeadTime"})
            EXPECT_TRUE(dialogs.messages().front().contains(QLatin1String(name))) << name;
    }
    TFormMain again;
    EXPECT_EQ(dialogs.messages().size(), 1) << "the defaults were written back";
    EXPECT_EQ(stored().LenLuch, 10);
}

TEST(SettingsRoundTrip, AStoredWindowSizeIsClampedToTheScreen) {
    FakeDialogs dialogs;
    {
        platform::Registry registry;
        ASSERT_TRUE(registry.OpenKey(Settings::KeyPath(), true));
        for (const char* name : {"Port", "Alg", "Left", "Top"})
            registry.WriteInteger(QLatin1String(name), 0);
        registry.WriteInteger(QStringLiteral("Width"), 5000);
        registry.WriteInteger(QStringLiteral("Height"), 4000);
    }
    TFormMain form;
    ASSERT_NE(form.screen(), nullptr);
    const QSize free = form.screen()->availableGeometry().size();
    ASSERT_LT(free.width(), 5000);
    EXPECT_EQ(form.size(), QSize(5000, 4000).boundedTo(free.expandedTo(QSize(831, 513))));
    EXPECT_TRUE(dialogs.messages().isEmpty()) << "a bigger screen's size is no damage";
}

TEST(SettingsRoundTrip, ASecondInstanceKeepsItsChangesAndIsToldOfTheFirst) {
    FakeDialogs dialogs;
    auto first = std::make_unique<TFormMain>();
    TFormMain second;
    EXPECT_FALSE(first->OtherInstanceRunning());
    EXPECT_TRUE(second.OtherInstanceRunning());

    second.CreateDialogs();
    second.CfgDialog->ScanPorts = [] { return scanOf({}); };
    dialogs.onNextModal([&](QDialog&) {
        EXPECT_TRUE(second.CfgDialog->lOtherInstance->isVisibleTo(second.CfgDialog));
        second.CfgDialog->seLen->setValue(40);
        return int(QDialog::Accepted);
    });
    second.bCFGClick(nullptr);
    EXPECT_EQ(stored().LenLuch, 40);

    first.reset(); // it ends with its own distance unchanged
    EXPECT_EQ(stored().LenLuch, 40);
    EXPECT_FALSE(second.OtherInstanceRunning()) << "the first has ended";
    dialogs.onNextModal([&](QDialog&) {
        EXPECT_FALSE(second.CfgDialog->lOtherInstance->isVisibleTo(second.CfgDialog));
        return int(QDialog::Rejected);
    });
    second.bCFGClick(nullptr);
}

TEST(SettingsRoundTrip, ChangedInTheDialogKeptAfterARestart) {
    FakeDialogs dialogs;
    {
        TFormMain form;
        form.CreateDialogs();
        form.CfgDialog->ScanPorts = [] { return scanOf({1, 3}); };
        dialogs.onNextModal([&](QDialog&) {
            TCfgDialog& d = *form.CfgDialog;
            pick(d.cbDigits, QStringLiteral("1/10"));
            EXPECT_FALSE(form.Digit8->isVisible()) << "the time row previews tenths";
            pick(d.cbPort, QStringLiteral("None"));
            d.seLen->setValue(37);
            EXPECT_EQ(d.seDeadTime->value(), 0);
            d.seDeadTime->setValue(300);
            d.cbColor0->setColorValue(clNavy);
            d.cbColor1->setColorValue(clMaroon);
            d.cbColor2->setColorValue(clRed);
            return int(QDialog::Accepted);
        });
        form.bCFGClick(nullptr);
        EXPECT_EQ(form.CurrentSettings().Acc, 1);
        EXPECT_EQ(form.CurrentSettings().LenLuch, 37);
        EXPECT_EQ(form.CurrentSettings().DeadTime, 300);
        EXPECT_EQ(form.Digit4->ColorOn(), clMaroon) << "a leading zero in the new dim colour";
        EXPECT_EQ(form.Digit6->Color(), clNavy);
        // Written at OK already: a crash now loses nothing.
        const Settings afterOk = stored();
        EXPECT_EQ(afterOk.Acc, 1);
        EXPECT_EQ(afterOk.LenLuch, 37);
        EXPECT_EQ(afterOk.DeadTime, 300);
        EXPECT_EQ(afterOk.C, (std::array<TColor, 5>{clNavy, clMaroon, clRed, clMaroon, clRed}));
        form.resize(820, 560); // fits the test screen (800 x 600) as the designed size does
    }
    TFormMain again;
    EXPECT_EQ(again.CurrentSettings().Acc, 1);
    EXPECT_FALSE(again.Digit8->isVisibleTo(&again));
    EXPECT_EQ(again.CurrentSettings().LenLuch, 37);
    EXPECT_EQ(again.CurrentSettings().DeadTime, 300);
    EXPECT_EQ(again.CurrentSettings().C[0], clNavy);
    EXPECT_EQ(again.Digit4->ColorOn(), clMaroon);
    EXPECT_EQ(again.size(), QSize(820, 560));
}

TEST(SettingsRoundTrip, OkShowsZeroOnTheTimeRowUnlessARunIsUnderWay) {
    platform::FakeClock clock{1000};
    FakeDialogs dialogs;
    TFormMain form;
    form.CreateDialogs();
    form.CfgDialog->ScanPorts = [] { return scanOf({}); };
    auto timeRow = [&] {
        return form.Digit6->Value() * 100 + form.Digit7->Value() * 10 + form.Digit8->Value();
    };
    form.mStart->Click();
    clock.advance(5230);
    form.ClockTimer(nullptr);
    dialogs.onNextModal([](QDialog&) { return int(QDialog::Accepted); });
    form.bCFGClick(nullptr);
    EXPECT_EQ(timeRow(), 523) << "the running time stays";

    form.mLap->Click();
    form.mStop->Click();
    dialogs.onNextModal([](QDialog&) { return int(QDialog::Accepted); });
    form.bCFGClick(nullptr);
    EXPECT_EQ(timeRow(), 0);
}

TEST(SettingsRoundTrip, ANewPortIsOpenedAndItsErrorComesAfterEverythingElseTookEffect) {
    FakeDialogs dialogs;
    platform::FakeSerial serial;
    TFormMain form;
    form.CreateDialogs();
    form.CfgDialog->ScanPorts = [] { return scanOf({1, 3}); };
    dialogs.onNextModal([&](QDialog&) {
        pick(form.CfgDialog->cbPort, QStringLiteral("COM3"));
        return int(QDialog::Accepted);
    });
    form.bCFGClick(nullptr);
    EXPECT_TRUE(form.ComPort->Connected());
    EXPECT_EQ(serial.line().openedName(), "COM3");
    EXPECT_EQ(form.CurrentSettings().Port, 3);

    // The same port again: neither closed nor opened.
    const size_t calls = serial.line().log().size();
    dialogs.onNextModal([](QDialog&) { return int(QDialog::Accepted); });
    form.bCFGClick(nullptr);
    EXPECT_EQ(serial.line().log().size(), calls);

    serial.line().setFailure(platform::SerialCall::Open, ENOENT);
    dialogs.onNextModal([&](QDialog&) {
        pick(form.CfgDialog->cbPort, QStringLiteral("COM1"));
        form.CfgDialog->seLen->setValue(50);
        return int(QDialog::Accepted);
    });
    EXPECT_THROW(form.bCFGClick(nullptr), EComHandle);
    EXPECT_FALSE(form.ComPort->Connected()) << "the old port was closed";
    EXPECT_EQ(form.CurrentSettings().Port, 1) << "the port keeps the new number";
    EXPECT_EQ(form.CurrentSettings().LenLuch, 50);
    EXPECT_EQ(stored().Port, 1) << "stored all the same";
    EXPECT_EQ(stored().LenLuch, 50);
}

TEST(SettingsRoundTrip, UnreadableFileIsReportedOnceAndMovedAside) {
    const QString file = platform::Registry::DefaultFileName();
    QDir().mkpath(QFileInfo(file).absolutePath());
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("garbage\n[");
    }
    FakeDialogs dialogs;
    {
        TFormMain form;
        ASSERT_EQ(dialogs.messages().size(), 1);
        EXPECT_TRUE(dialogs.messages().front().contains(file));
    }
    TFormMain again;
    EXPECT_EQ(dialogs.messages().size(), 1) << "told once";
}

TEST(SettingsRoundTrip, AltEOpensTheSettings) {
    FakeDialogs dialogs;
    TFormMain form;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    form.CreateDialogs();
    form.CfgDialog->ScanPorts = [] { return scanOf({}); };
    QTest::keyClick(&form, Qt::Key_E, Qt::AltModifier);
    ASSERT_EQ(dialogs.modalsShown().size(), 1);
    EXPECT_EQ(dialogs.modalsShown().front().Name, "CfgDialog");
}
