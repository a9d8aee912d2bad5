#include "app/window/TFDlgYesNo.h"
#include "testing/FakeDialogs.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using platform::FakeDialogs;

TEST(YesNoDialog, LooksAsDesigned) {
    TFDlgYesNo dialog;
    EXPECT_EQ(dialog.windowTitle(), QApplication::applicationName());
    EXPECT_EQ(dialog.size(), QSize(222, 94));
    EXPECT_EQ(dialog.LabQuestion->text(), "?");
    EXPECT_EQ(dialog.LabQuestion->size(), QSize(169, 33));
    EXPECT_TRUE(dialog.LabQuestion->wordWrap());
    EXPECT_EQ(dialog.bYes->text(), "Ja");
    EXPECT_TRUE(dialog.bYes->isDefault());
    EXPECT_EQ(dialog.bNo->text(), "Nein");
    const QImage icon = dialog.Image1->pixmap().toImage();
    EXPECT_EQ(icon.size(), QSize(32, 32));
    EXPECT_NE(icon.pixelColor(16, 4), icon.pixelColor(0, 0)) << "the icon is drawn";
}

TEST(YesNoDialog, JaAnswersSixAndEverythingElseNo) {
    FakeDialogs fake;
    TFDlgYesNo dialog;
    dialog.LabQuestion->setText(QStringLiteral("Beenden?"));
    auto press = [&](auto&& how) {
        fake.onNextModal([&](QDialog&) {
            how();
            return dialog.result();
        });
        return dialog.ShowModal();
    };
    EXPECT_EQ(press([&] { dialog.bYes->click(); }), 6);
    EXPECT_EQ(press([&] { dialog.bNo->click(); }), 2);
    EXPECT_EQ(press([&] { QTest::keyClick(&dialog, Qt::Key_Escape); }), 2);
    EXPECT_EQ(press([&] { dialog.close(); }), 2);
    EXPECT_EQ(dialog.ShowModal(), 2) << "unanswered counts as no";
    EXPECT_EQ(fake.yesNoQuestions().size(), 5);
    EXPECT_EQ(fake.yesNoQuestions().front(), "Beenden?");
}
