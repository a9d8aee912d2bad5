#include "app/settings/TCfgDialog.h"
#include "controls/ToColorCombo.h"
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

// The settings the window puts into the dialog: not the defaults, so that each control shows
// whether it was filled from them.
Settings current() {
    Settings s;
    s.Acc = 2;
    s.LenLuch = 10;
    s.DeadTime = 0;
    s.Sound1 = QStringLiteral("/a.wav");
    s.Sound2 = QStringLiteral("/b.wav");
    s.Width = 900; // carried through, as everything the dialog does not show
    return s;
}

class CfgDialogTest : public ::testing::Test {
protected:
    CfgDialogTest() {
        dialog.ScanPorts = [this] { return scan; };
    }
    // Runs the dialog on `in`; `operate` plays the operator and returns OK or Cancel. The
    // resolutions previewed are kept in `previews`.
    std::optional<Settings> edit(const Settings& in, std::function<int(TCfgDialog&)> operate) {
        fake.onNextModal([this, operate](QDialog&) { return operate(dialog); });
        return dialog.Edit(in, [this](int acc) { previews.append(acc); });
    }
    static void pickPort(TCfgDialog& d, const QString& text) {
        d.cbPort->setCurrentIndex(d.cbPort->findText(text));
        emit d.cbPort->activated(d.cbPort->currentIndex());
    }

    FakeDialogs fake;
    QList<int> previews;
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
    EXPECT_EQ(dialog.size(), QSize(271, 252));
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
    EXPECT_EQ(itemsOf(dialog.cbLanguage), (QStringList{"Wie das System", "Deutsch", "English"}));
    for (const QWidget* w : {static_cast<QWidget*>(dialog.bCheckPort), static_cast<QWidget*>(dialog.cbAlarm),
                             static_cast<QWidget*>(dialog.cbLanguage)}) {
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

TEST_F(CfgDialogTest, ShowsTheSettingsGivenAndGivesBackTheEditedOnes) {
    Settings in = current();
    in.Acc = 1;
    in.LenLuch = 25;
    in.DeadTime = 250;
    in.C = {clNavy, clGreen, clRed, clBlack, clWhite};
    const std::optional<Settings> out = edit(in, [](TCfgDialog& d) {
        EXPECT_EQ(d.cbDigits->currentText(), "1/10");
        EXPECT_EQ(d.cbPort->currentText(), "None");
        EXPECT_FALSE(d.cbAlg->isEnabled());
        EXPECT_EQ(d.seLen->value(), 25);
        EXPECT_EQ(d.seDeadTime->value(), 250);
        EXPECT_EQ(d.cbColor0->ColorValue(), clNavy);
        EXPECT_EQ(d.cbColor1->ColorValue(), clGreen);
        EXPECT_EQ(d.cbColor2->ColorValue(), clRed);
        EXPECT_EQ(d.sSoundStart->text(), "/a.wav");
        EXPECT_EQ(d.cbLanguage->currentText(), "Wie das System");

        d.seLen->setValue(37);
        d.cbLanguage->setCurrentIndex(2);
        d.seDeadTime->setValue(400);
        d.cbColor1->setColorValue(clMaroon);
        d.cbDigits->setCurrentIndex(2);
        emit d.cbDigits->activated(2);
        pickPort(d, QStringLiteral("COM20"));
        EXPECT_TRUE(d.cbAlg->isEnabled());
        d.sSoundStart->setText(QStringLiteral("/c.wav"));
        return int(QDialog::Accepted);
    });
    ASSERT_TRUE(out);
    Settings expected = in;
    expected.LenLuch = 37;
    expected.DeadTime = 400;
    expected.Acc = 0;
    expected.Port = 20;
    expected.Alg = 0;
    // "Ziffern" and "ZiffernF" are what the time row's leading digits are drawn in (C3, C4).
    expected.C = {clNavy, clMaroon, clRed, clMaroon, clRed};
    expected.Sound1 = QStringLiteral("/c.wav");
    expected.UiLanguage = platform::Language::English;
    EXPECT_EQ(*out, expected);
    EXPECT_EQ(previews, (QList<int>{0, 0})) << "previewed when chosen, and the choice that stands at the end";
}

TEST_F(CfgDialogTest, NoneGivesPortZeroKeepingTheMode) {
    Settings in = current();
    in.Port = 3;
    in.Alg = 5;
    const std::optional<Settings> out = edit(in, [](TCfgDialog& d) {
        EXPECT_EQ(d.cbPort->currentText(), "COM3");
        EXPECT_EQ(d.cbAlg->currentIndex(), -1) << "a mode outside the list shows no entry";
        pickPort(d, QStringLiteral("None"));
        EXPECT_FALSE(d.cbAlg->isEnabled());
        return int(QDialog::Accepted);
    });
    ASSERT_TRUE(out);
    EXPECT_EQ(out->Port, 0);
    EXPECT_EQ(out->Alg, 5);
}

TEST_F(CfgDialogTest, ThePortEntryShownAtOpeningKeepsPortAndMode) {
    Settings in = current();
    in.Port = 3;
    in.Alg = 5;
    const std::optional<Settings> out = edit(in, [](TCfgDialog& d) {
        pickPort(d, QStringLiteral("COM1"));
        pickPort(d, QStringLiteral("COM3"));
        return int(QDialog::Accepted);
    });
    ASSERT_TRUE(out);
    EXPECT_EQ(out->Port, 3);
    EXPECT_EQ(out->Alg, 5) << "not the list's mode: the port choice did not change";
}

TEST_F(CfgDialogTest, ConfiguredPortNotFoundIsListedAndKeptOnOk) {
    Settings in = current();
    in.Port = 7; // say, an adapter plugged in after start-up, or held by another program
    in.Alg = 5;  // a mode outside the list
    std::optional<Settings> out = edit(in, [](TCfgDialog& d) {
        EXPECT_EQ(d.cbPort->currentText(), "COM7");
        EXPECT_EQ(itemsOf(d.cbPort), (QStringList{"None", "COM1", "COM3", "COM7", "COM20"}));
        EXPECT_TRUE(d.cbPort->itemData(d.cbPort->currentIndex(), Qt::ToolTipRole)
                        .toString()
                        .contains("/dev/ttyUSB2"));
        return int(QDialog::Accepted);
    });
    ASSERT_TRUE(out);
    EXPECT_EQ(out->Port, 7);
    EXPECT_EQ(out->Alg, 5);

    // A port chosen anew takes the list's mode; one outside the list stays when nothing is selected.
    out = edit(in, [](TCfgDialog& d) {
        pickPort(d, QStringLiteral("COM1"));
        return int(QDialog::Accepted);
    });
    ASSERT_TRUE(out);
    EXPECT_EQ(out->Port, 1);
    EXPECT_EQ(out->Alg, 5);
}

TEST_F(CfgDialogTest, RescanEachOpenShowsAPortPluggedInLater) {
    scan = scanOf({1, 3, 20, 6});
    edit(current(), [](TCfgDialog& d) {
        EXPECT_NE(d.cbPort->findText(QStringLiteral("COM6")), -1);
        return int(QDialog::Rejected);
    });
}

TEST_F(CfgDialogTest, CancelGivesNothingBackAndUndoesThePreview) {
    const std::optional<Settings> out = edit(current(), [](TCfgDialog& d) {
        d.cbDigits->setCurrentIndex(2);
        emit d.cbDigits->activated(2);
        pickPort(d, QStringLiteral("COM1"));
        d.seLen->setValue(99);
        return int(QDialog::Rejected);
    });
    EXPECT_FALSE(out);
    EXPECT_EQ(previews, (QList<int>{0, 2})) << "the stored resolution is shown again";

    // Without a preview the dialog previews nothing.
    fake.onNextModal([](QDialog&) { return int(QDialog::Rejected); });
    EXPECT_FALSE(dialog.Edit(current()));
}

TEST_F(CfgDialogTest, AlarmSwitchShownOnOpenTakenOnOkKeptOnCancel) {
    Settings in = current();
    in.Sound = false;
    const auto switchOn = [](int answer) {
        return [answer](TCfgDialog& d) {
            EXPECT_FALSE(d.cbAlarm->isChecked());
            d.cbAlarm->setChecked(true);
            return answer;
        };
    };
    EXPECT_FALSE(edit(in, switchOn(QDialog::Rejected)));
    const std::optional<Settings> out = edit(in, switchOn(QDialog::Accepted));
    ASSERT_TRUE(out);
    EXPECT_TRUE(out->Sound);
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

TEST_F(CfgDialogTest, UserEntryAsksForAColourOnceAndCancellingKeepsTheOldOne) {
    Settings in = current();
    in.C[1] = 0x00102030; // not a listed colour: the user entry holds it
    const std::optional<Settings> out = edit(in, [this](TCfgDialog& d) {
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
    ASSERT_TRUE(out);
    EXPECT_EQ(out->C[1], clRed);
}
