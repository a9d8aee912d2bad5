#include "app/settings/CfgDialogRun.h"
#include "app/settings/TCfgDialog.h"
#include "controls/ToColorCombo.h"
#include "core/Exception.h"
#include "testing/FakeDialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <gtest/gtest.h>

using platform::ComPortInfo;
using platform::ComPortScanResult;
using platform::FakeDialogs;

namespace {

ComPortScanResult scanOf(std::initializer_list<int> numbers) {
    ComPortScanResult scan;
    for (int n : numbers) {
        ComPortInfo info;
        info.Number = n;
        info.Path = "/dev/ttyX" + std::to_string(n);
        scan.Ports.push_back(info);
        if (n <= 16)
            scan.Word |= 1u << (n - 1);
        scan.Word = (scan.Word & 0xFFFF) | (uint32_t(n) << 16);
    }
    return scan;
}

// The main window as the settings see it; records what was done to it.
struct FakeHost : CfgDialogHost {
    std::array<TColor, 5> colors{0x000000, 0x404040, 0x00FFFF, 0x404040, 0x00FFFF};
    int acc = 2;
    int lenLuch = 10;
    int deadTime = 0;
    int savedDeadTime = -1; // what the last save stored
    uint8_t port = 0;
    int alg = 0;
    QString sound1 = QStringLiteral("/a.wav"), sound2 = QStringLiteral("/b.wav");
    bool running = false;
    bool openFails = false;
    bool alarm = true;
    QStringList calls;

    TColor Color(int n) const override { return colors[size_t(n)]; }
    void setColor(int n, TColor c) override { colors[size_t(n)] = c; }
    int Acc() const override { return acc; }
    void setAcc(int a) override { acc = a; }
    int LenLuch() const override { return lenLuch; }
    void setLenLuch(int m) override { lenLuch = m; }
    int DeadTime() const override { return deadTime; }
    void setDeadTime(int ms) override { deadTime = ms; }
    uint8_t Port() const override { return port; }
    void setPort(uint8_t p) override { port = p; }
    int Alg() const override { return alg; }
    void setAlg(int a) override { alg = a; }
    QString Sound1() const override { return sound1; }
    QString Sound2() const override { return sound2; }
    void setSounds(const QString& a, const QString& b) override {
        sound1 = a;
        sound2 = b;
    }
    void OpenPort() override {
        calls.append(QStringLiteral("open %1").arg(port));
        if (openFails)
            throw Exception(QStringLiteral("Unable to open com port: 2"));
    }
    void ClosePort() override { calls.append(QStringLiteral("close")); }
    bool ClockRunning() const override { return running; }
    void ShowDigits(int row, int64_t value) override {
        calls.append(QStringLiteral("show %1 %2").arg(row).arg(value));
    }
    void ApplyResolution(int a) override { calls.append(QStringLiteral("resolution %1").arg(a)); }
    void FocusLeftPanel() override { calls.append(QStringLiteral("focus")); }
    bool Alarm() const override { return alarm; }
    void setAlarm(bool on) override { alarm = on; }
    void SaveSettings() override {
        calls.append(QStringLiteral("save"));
        savedDeadTime = deadTime;
    }
};

class CfgDialogTest : public ::testing::Test {
protected:
    CfgDialogTest() {
        dialog.ScanPorts = [this] { return scan; };
    }
    // Runs the dialog; `operate` plays the operator and returns OK or Cancel.
    void run(std::function<int(TCfgDialog&)> operate) {
        fake.onNextModal([this, operate](QDialog&) { return operate(dialog); });
        RunCfgDialog(dialog, host);
    }
    static void pickPort(TCfgDialog& d, const QString& text) {
        d.cbPort->setCurrentIndex(d.cbPort->findText(text));
        emit d.cbPort->activated(d.cbPort->currentIndex());
    }

    FakeDialogs fake;
    FakeHost host;
    ComPortScanResult scan = scanOf({1, 3, 20});
    TCfgDialog dialog{nullptr, scanOf({1, 3, 20})};
};

QStringList itemsOf(QComboBox* box) {
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items.append(box->itemText(i));
    return items;
}

} // namespace

TEST_F(CfgDialogTest, ControlsAtCreation) {
    EXPECT_EQ(dialog.windowTitle(), "Einstellungen");
    EXPECT_EQ(dialog.size(), QSize(271, 224));
    EXPECT_EQ(itemsOf(dialog.cbDigits), (QStringList{"1/100", "1/10", "1"}));
    EXPECT_EQ(dialog.cbDigits->currentIndex(), 0);
    EXPECT_EQ(itemsOf(dialog.cbPort), (QStringList{"None", "COM1", "COM3", "COM20"}));
    EXPECT_EQ(dialog.cbPort->itemData(2, Qt::ToolTipRole).toString(), "/dev/ttyX3");
    EXPECT_EQ(itemsOf(dialog.cbAlg), QStringList{"On/Off"});
    EXPECT_FALSE(dialog.cbAlg->isEnabled());
    EXPECT_EQ(dialog.seLen->minimum(), 1);
    EXPECT_EQ(dialog.seLen->maximum(), 300);
    EXPECT_EQ(dialog.seLen->value(), 10);
    EXPECT_EQ(dialog.seDeadTime->minimum(), 0);
    EXPECT_EQ(dialog.seDeadTime->maximum(), 5000);
    EXPECT_EQ(dialog.seDeadTime->value(), 0);
    EXPECT_FALSE(dialog.seDeadTime->geometry().intersects(dialog.OKBtn->geometry()));
    EXPECT_TRUE(dialog.rect().contains(dialog.seDeadTime->geometry()));
    // The row below the buttons: the port check and the alarm switch, inside the dialog.
    EXPECT_EQ(dialog.bCheckPort->text(), "Lichtschranke prüfen");
    EXPECT_TRUE(dialog.cbAlarm->isChecked());
    for (const QWidget* w :
         {static_cast<QWidget*>(dialog.bCheckPort), static_cast<QWidget*>(dialog.cbAlarm)}) {
        EXPECT_TRUE(dialog.rect().contains(w->geometry()));
        EXPECT_FALSE(w->geometry().intersects(dialog.OKBtn->geometry()));
        EXPECT_FALSE(w->geometry().intersects(dialog.CancelBtn->geometry()));
    }
    QString checked;
    dialog.OnCheckPort = [&](const QString& port) { checked = port; };
    dialog.cbPort->setCurrentIndex(2);
    dialog.bCheckPort->click();
    EXPECT_EQ(checked, "COM3");
    for (ToColorCombo* c : {dialog.cbColor0, dialog.cbColor1, dialog.cbColor2}) {
        EXPECT_EQ(c->size(), QSize(56, 22));
        EXPECT_EQ(c->count(), 17);
        EXPECT_FALSE(c->DrawColorName());
        EXPECT_EQ(c->ColorValue(), clBlack);
        EXPECT_EQ(c->currentText(), "Black");
    }
    EXPECT_TRUE(dialog.GroupSound->isHidden());
    QStringList labels;
    for (QLabel* l : dialog.findChildren<QLabel*>())
        labels.append(l->text());
    for (const char* text : {"Empfindlichkeit:", "Lichtschranke:", "Algorithmus:", "LS-Abstand (m):",
                             "Sperrzeit (ms):", "Fenster:", "Ziffern:", "ZiffernF:", "Start:", "Stopp:"})
        EXPECT_TRUE(labels.contains(QString::fromUtf8(text))) << text;
}

TEST_F(CfgDialogTest, OkPutsEverythingIntoEffectAndSavesIt) {
    run([](TCfgDialog& d) {
        d.seLen->setValue(25);
        d.cbColor1->setColorValue(clRed);
        d.cbDigits->setCurrentIndex(1);
        emit d.cbDigits->activated(1);
        pickPort(d, QStringLiteral("COM20"));
        EXPECT_TRUE(d.cbAlg->isEnabled());
        d.sSoundStart->setText(QStringLiteral("/c.wav"));
        return int(QDialog::Accepted);
    });
    EXPECT_EQ(host.lenLuch, 25);
    EXPECT_EQ(host.colors[1], clRed);
    EXPECT_EQ(host.acc, 1);
    EXPECT_EQ(host.port, 20);
    EXPECT_EQ(host.sound1, "/c.wav");
    EXPECT_EQ(host.calls,
              (QStringList{"resolution 1", "show 0 0", "close", "open 20", "save", "resolution 1", "focus"}));
}

TEST_F(CfgDialogTest, NoneClosesAndStoresZeroKeepingTheMode) {
    host.port = 3;
    host.alg = 5;
    run([](TCfgDialog& d) {
        EXPECT_EQ(d.cbPort->currentText(), "COM3");
        EXPECT_EQ(d.cbAlg->currentIndex(), -1) << "a mode outside the list shows no entry";
        pickPort(d, QStringLiteral("None"));
        EXPECT_FALSE(d.cbAlg->isEnabled());
        return int(QDialog::Accepted);
    });
    EXPECT_EQ(host.port, 0);
    EXPECT_EQ(host.alg, 5);
    EXPECT_TRUE(host.calls.contains("close"));
    EXPECT_FALSE(host.calls.filter(QStringLiteral("open")).size());
}

TEST_F(CfgDialogTest, SamePortAgainNeitherClosesNorReopens) {
    host.port = 3;
    run([](TCfgDialog& d) {
        pickPort(d, QStringLiteral("COM1"));
        pickPort(d, QStringLiteral("COM3"));
        return int(QDialog::Accepted);
    });
    EXPECT_EQ(host.port, 3);
    EXPECT_EQ(host.calls.filter(QRegularExpression(QStringLiteral("^(open|close)"))), QStringList());
}

TEST_F(CfgDialogTest, ConfiguredPortNotFoundIsListedAndKeptOnOk) {
    host.port = 7; // say, an adapter plugged in after start-up, or held by another program
    host.alg = 5;  // a mode outside the list
    run([](TCfgDialog& d) {
        EXPECT_EQ(d.cbPort->currentText(), "COM7");
        EXPECT_EQ(itemsOf(d.cbPort), (QStringList{"None", "COM1", "COM3", "COM7", "COM20"}));
        EXPECT_TRUE(d.cbPort->itemData(d.cbPort->currentIndex(), Qt::ToolTipRole)
                        .toString()
                        .contains("/dev/ttyUSB2"));
        return int(QDialog::Accepted);
    });
    EXPECT_EQ(host.port, 7);
    EXPECT_EQ(host.alg, 5);
    EXPECT_EQ(host.calls.filter(QRegularExpression(QStringLiteral("^(open|close)"))), QStringList());

    // A port chosen anew takes the list's mode; one outside the list stays when nothing is selected.
    run([](TCfgDialog& d) {
        pickPort(d, QStringLiteral("COM1"));
        return int(QDialog::Accepted);
    });
    EXPECT_EQ(host.port, 1);
    EXPECT_EQ(host.alg, 5);
}

TEST_F(CfgDialogTest, RescanEachOpenShowsAPortPluggedInLater) {
    scan = scanOf({1, 3, 20, 6});
    run([](TCfgDialog& d) {
        EXPECT_NE(d.cbPort->findText(QStringLiteral("COM6")), -1);
        return int(QDialog::Rejected);
    });
}

TEST_F(CfgDialogTest, CancelRestoresThePreviewAndChangesNothing) {
    host.acc = 2;
    run([](TCfgDialog& d) {
        d.cbDigits->setCurrentIndex(2);
        emit d.cbDigits->activated(2);
        pickPort(d, QStringLiteral("COM1"));
        d.seLen->setValue(99);
        return int(QDialog::Rejected);
    });
    EXPECT_EQ(host.calls, (QStringList{"resolution 0", "resolution 2", "focus"}));
    EXPECT_EQ(host.acc, 2);
    EXPECT_EQ(host.port, 0);
    EXPECT_EQ(host.lenLuch, 10);
}

TEST_F(CfgDialogTest, DeadTimeShownOnOpenTakenAndSavedOnOkKeptOnCancel) {
    host.deadTime = 250;
    run([](TCfgDialog& d) {
        EXPECT_EQ(d.seDeadTime->value(), 250);
        d.seDeadTime->setValue(400);
        return int(QDialog::Accepted);
    });
    EXPECT_EQ(host.deadTime, 400);
    EXPECT_EQ(host.savedDeadTime, 400) << "applied before the settings were saved";

    host.savedDeadTime = -1;
    run([](TCfgDialog& d) {
        EXPECT_EQ(d.seDeadTime->value(), 400);
        d.seDeadTime->setValue(0);
        return int(QDialog::Rejected);
    });
    EXPECT_EQ(host.deadTime, 400);
    EXPECT_EQ(host.savedDeadTime, -1) << "nothing saved";
}

TEST_F(CfgDialogTest, AlarmSwitchShownOnOpenTakenOnOkKeptOnCancel) {
    host.alarm = false;
    run([](TCfgDialog& d) {
        EXPECT_FALSE(d.cbAlarm->isChecked());
        d.cbAlarm->setChecked(true);
        return int(QDialog::Rejected);
    });
    EXPECT_FALSE(host.alarm);
    run([](TCfgDialog& d) {
        EXPECT_FALSE(d.cbAlarm->isChecked());
        d.cbAlarm->setChecked(true);
        return int(QDialog::Accepted);
    });
    EXPECT_TRUE(host.alarm);
}

TEST_F(CfgDialogTest, EveryLabelTheOperatorSeesIsExplainedInTheHelpsSettingsSection) {
    QFile page(QStringLiteral(VANTRO_HELP_PAGE));
    ASSERT_TRUE(page.open(QIODevice::ReadOnly)) << VANTRO_HELP_PAGE;
    const QString html = QString::fromUtf8(page.readAll());
    const qsizetype from = html.indexOf(QStringLiteral("id=\"einstellungen\""));
    ASSERT_GE(from, 0);
    const QString section = html.mid(from, html.indexOf(QStringLiteral("<h2"), from) - from);

    QStringList captions;
    for (const QLabel* l : dialog.findChildren<QLabel*>())
        if (l->isVisibleTo(&dialog))
            captions << l->text();
    for (const QGroupBox* g : dialog.findChildren<QGroupBox*>())
        if (g->isVisibleTo(&dialog))
            captions << g->title();
    EXPECT_GE(captions.size(), 9);
    for (QString caption : captions) {
        caption.remove(QLatin1Char('&'));
        if (caption.endsWith(QLatin1Char(':')))
            caption.chop(1);
        EXPECT_TRUE(section.contains(caption)) << caption.toStdString();
    }
}

TEST_F(CfgDialogTest, OkDuringARunLeavesTheTimeAlone) {
    host.running = true;
    run([](TCfgDialog&) { return int(QDialog::Accepted); });
    EXPECT_TRUE(host.calls.filter(QStringLiteral("show")).isEmpty());
}

TEST_F(CfgDialogTest, PortErrorIsRaisedAfterTheChoicesTookEffect) {
    host.openFails = true;
    EXPECT_THROW(run([](TCfgDialog& d) {
                     pickPort(d, QStringLiteral("COM3"));
                     d.sSoundStop->setText(QStringLiteral("/d.wav"));
                     return int(QDialog::Accepted);
                 }),
                 Exception);
    EXPECT_EQ(host.port, 3) << "the port keeps the new number";
    EXPECT_EQ(host.sound2, "/d.wav");
    EXPECT_EQ(host.calls.mid(host.calls.size() - 3), (QStringList{"save", "resolution 2", "focus"}));
}

TEST_F(CfgDialogTest, UserEntryAsksForAColourOnceAndCancellingKeepsTheOldOne) {
    host.colors[1] = 0x00102030; // not a listed colour: the user entry holds it
    run([this](TCfgDialog& d) {
        EXPECT_TRUE(d.cbColor1->UserColorSelected());
        EXPECT_TRUE(fake.colorRequests().isEmpty()) << "filling the dialog asks nothing";

        fake.chooseColor(std::nullopt);
        d.cbColor1->setCurrentIndex(16);
        emit d.cbColor1->activated(16);
        EXPECT_EQ(fake.colorRequests().size(), 1);
        EXPECT_EQ(fake.colorRequests().back(), QColor(0x30, 0x20, 0x10));
        EXPECT_EQ(d.cbColor1->ColorValue(), 0x00102030u);
        EXPECT_TRUE(d.cbColor1->UserColorSelected());

        fake.chooseColor(QColor(0x11, 0x22, 0x33));
        emit d.cbColor1->activated(16);
        EXPECT_EQ(fake.colorRequests().size(), 2) << "the re-entry mark keeps the second change from asking";
        EXPECT_EQ(d.cbColor1->ColorValue(), 0x00332211u);
        EXPECT_EQ(d.cbColor1->Tag(), 0);

        // A pure colour from the picker selects its named entry.
        fake.chooseColor(QColor(Qt::red));
        emit d.cbColor1->activated(16);
        EXPECT_EQ(d.cbColor1->currentText(), "Red");
        return int(QDialog::Accepted);
    });
    EXPECT_EQ(host.colors[1], clRed);
}
