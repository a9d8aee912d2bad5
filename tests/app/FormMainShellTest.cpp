// The main window's frame: top bar, date panel, help, exit, the names taken from the program file
// and the order of the creation and destruction steps, seen through the platform fakes.
#include "app/settings/TCfgDialog.h"
#include "app/window/TFDlgYesNo.h"
#include "app/window/TFormMain.h"
#include "app/window/TLogo.h"
#include "office/FileOpener.h"
#include "platform/ProgramFile.h"
#include "platform/QtPrinter.h"
#include "sortgrid/TSortGrid.h"
#include "testing/FakeClock.h"
#include "testing/FakeDialogs.h"
#include "testing/FakeFileOpener.h"
#include "testing/FakeProgramFile.h"
#include "testing/FakeSerialDevice.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTimerEvent>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>

using namespace platform;

namespace {

/// A program installed in a folder of its own, with or without its help page beside it.
class ShellFixture : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    void TearDown() override {
        TFormMain::OnCreationStep = nullptr;
        TFormMain::OnDestructionStep = nullptr;
        form.reset();
        // The window renamed the application after its fake program file.
        QCoreApplication::setApplicationName(savedTitle);
    }

    QString programFile(const QString& name) const { return dir.filePath(name); }

    void writeFile(const QString& path, const QByteArray& bytes = "x") {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    void create(const QString& program = QStringLiteral("vantro")) {
        fakeProgram = std::make_unique<FakeProgramFile>(programFile(program));
        form = std::make_unique<TFormMain>();
    }

    void show() {
        form->show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    void key(int k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : form.get();
        QTest::keyClick(target, Qt::Key(k), mods);
    }

    const QString savedTitle = QCoreApplication::applicationName();
    QTemporaryDir dir;
    FakeClock clock{1000, QDateTime(QDate(2026, 12, 8), QTime(9, 5, 58))};
    FakeDialogs dialogs;
    FakeFileOpener opener;
    FakeSerial serial;
    std::unique_ptr<FakeProgramFile> fakeProgram;
    std::unique_ptr<TFormMain> form;
};

using FormMainShell = ShellFixture;

} // namespace

TEST_F(FormMainShell, TopBarHasItsButtonsLogoAndDatePanelAsDesigned) {
    create();
    struct Expected {
        QPushButton* button;
        const char* caption;
        QRect rect;
    };
    for (const Expected& e : {Expected{form->bCFG, "&Einstellungen", {4, 4, 133, 26}},
                              Expected{form->bHelp, "H&ilfe", {144, 4, 51, 26}},
                              Expected{form->bBeenden, "&Beenden", {201, 4, 88, 26}}}) {
        EXPECT_EQ(e.button->text(), QString::fromLatin1(e.caption));
        EXPECT_EQ(e.button->geometry(), e.rect);
        EXPECT_EQ(e.button->cursor().shape(), Qt::PointingHandCursor);
        EXPECT_EQ(e.button->parentWidget(), form->TopBar);
        EXPECT_TRUE(e.button->font().bold());
        EXPECT_EQ(e.button->font().pixelSize(), 16);
    }
    EXPECT_EQ(form->bCFG->nextInFocusChain(), form->bHelp);
    EXPECT_EQ(form->bHelp->nextInFocusChain(), form->bBeenden);
    EXPECT_EQ(form->Logo->x(), 303);
    EXPECT_EQ(form->Logo->Text(), QStringLiteral("Vantro"));

    EXPECT_EQ(form->PanelDate->size(), QSize(222, 32));
    EXPECT_EQ(form->PanelDate->palette().color(QPalette::Window), QColor(Qt::black));
    EXPECT_EQ(form->PanelDate->palette().color(QPalette::WindowText), QColor(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(form->PanelDate->font().pixelSize(), 24);
    // Anchored right: it keeps its distance from the edge when the window grows.
    const int margin = form->TopBar->width() - form->PanelDate->geometry().right();
    form->resize(1100, 600);
    EXPECT_EQ(form->TopBar->width() - form->PanelDate->geometry().right(), margin);
    // The room for the barrier status lies between logo and date panel.
    EXPECT_GT(form->TopBarStatusSlot->x(), form->Logo->geometry().right());
    EXPECT_LT(form->TopBarStatusSlot->geometry().right(), form->PanelDate->x());
}

TEST_F(FormMainShell, MinimumSizeKeepsRESETInsideTheWindow) {
    create();
    show();
    form->resize(1, 1);
    QCoreApplication::processEvents();
    EXPECT_EQ(form->width(), 804);
    const QRect reset(form->bRESET->mapTo(form.get(), QPoint(0, 0)), form->bRESET->size());
    EXPECT_TRUE(form->rect().contains(reset)) << form->height();
}

TEST_F(FormMainShell, DatePanelShowsZeroUntilItsStepThenTheNewMinuteWithinFiveSeconds) {
    QString atItsStep;
    TFormMain::OnCreationStep = [&](TFormMain* f, CreationStep step) {
        if (step == CreationStep::UpdateDate)
            atItsStep = f->PanelDate->text();
    };
    create();
    EXPECT_EQ(atItsStep, QStringLiteral("00:00"));
    EXPECT_EQ(form->PanelDate->text(), QStringLiteral("08.12.26   09:05"));

    EXPECT_TRUE(form->TimerDate->isActive());
    EXPECT_EQ(form->TimerDate->interval(), 5000);
    // 09:05:58 + 5 s: the next tick of the timer shows 09:06.
    clock.advance(5000);
    QTimerEvent tick(form->TimerDate->timerId());
    QCoreApplication::sendEvent(form->TimerDate, &tick);
    EXPECT_EQ(form->PanelDate->text(), QStringLiteral("08.12.26   09:06"));
}

TEST_F(FormMainShell, HelpOpensThePageBesideTheProgramFromButtonAltIAndF1) {
    writeFile(programFile(QStringLiteral("vantro.html")));
    create();
    show();
    QTest::mouseClick(form->bHelp, Qt::LeftButton);
    key(Qt::Key_I, Qt::AltModifier);
    key(Qt::Key_F1);
    EXPECT_EQ(opener.Opened(), QStringList(3, programFile(QStringLiteral("vantro.html"))));
    EXPECT_TRUE(dialogs.messages().isEmpty());
}

TEST_F(FormMainShell, HelpFallsBackToTheInstalledCopyAndNamesThePathWhenMissing) {
    create(QStringLiteral("bin/vantro"));
    form->bHelpClick(form->bHelp);
    EXPECT_TRUE(opener.Opened().isEmpty());
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages()[0].contains(programFile(QStringLiteral("bin/vantro.html"))));
    EXPECT_TRUE(dialogs.messages()[0].contains(programFile(QStringLiteral("share/vantro/vantro.html"))));

    // Installed after start-up: found at the next click.
    writeFile(programFile(QStringLiteral("share/vantro/vantro.html")));
    form->bHelpClick(form->bHelp);
    EXPECT_EQ(opener.Opened(), QStringList{programFile(QStringLiteral("share/vantro/vantro.html"))});

    // A desktop without a browser: said, not swallowed.
    opener.setResult(false);
    form->bHelpClick(form->bHelp);
    ASSERT_EQ(dialogs.messages().size(), 2);
    EXPECT_TRUE(dialogs.messages()[1].contains(QStringLiteral("share/vantro/vantro.html")));
}

TEST_F(FormMainShell, RenamedProgramUsesItsOwnKeyHelpPageAndDocument) {
    // Settings under the new name's key; the old name's key must not be read.
    const QString config = QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME"));
    writeFile(config + QStringLiteral("/kartex/registry.reg"),
              "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\kartex]\r\n"
              "\"Port\"=dword:00000007\r\n");
    writeFile(programFile(QStringLiteral("kartex.html")));
    writeFile(programFile(QStringLiteral("kartex.doc")));
    create(QStringLiteral("kartex"));
    EXPECT_EQ(QCoreApplication::applicationName(), QStringLiteral("kartex"));
    EXPECT_EQ(form->Names().RegistryKey, QStringLiteral("\\Software\\kartex"));
    EXPECT_EQ(form->Names().HelpFile, programFile(QStringLiteral("kartex.html")));
    EXPECT_EQ(form->Names().DefaultDocument, programFile(QStringLiteral("kartex.doc")));
    EXPECT_EQ(form->Names().DialogFolder, dir.path());
    EXPECT_EQ(form->ComPort->Port(), 7);
    form->bHelpClick(form->bHelp);
    EXPECT_EQ(opener.Opened(), QStringList{programFile(QStringLiteral("kartex.html"))});
}

TEST_F(FormMainShell, ExitClosesAtOnceWithAnEmptyProtocol) {
    create();
    show();
    key(Qt::Key_B, Qt::AltModifier);
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(dialogs.messages().isEmpty());
}

TEST_F(FormMainShell, CreationStepsRunInOrderEachFindingWhatItNeedsDone) {
    const QString config = QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME"));
    writeFile(config + QStringLiteral("/vantro/registry.reg"),
              "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\vantro]\r\n"
              "\"Port\"=dword:00000003\r\n");
    QList<CreationStep> steps;
    TFormMain::OnCreationStep = [&](TFormMain* f, CreationStep step) {
        steps.append(step);
        switch (step) {
        case CreationStep::ReadSettings:
            // The settings are read under the program's own title.
            EXPECT_EQ(QCoreApplication::applicationName(), QStringLiteral("vantro"));
            break;
        case CreationStep::OpenPort:
            // Settings read, digits and date shown; the port is still closed.
            EXPECT_EQ(f->ComPort->Port(), 3);
            EXPECT_NE(f->PanelDate->text(), QStringLiteral("00:00"));
            EXPECT_FALSE(f->ComPort->Connected());
            break;
        case CreationStep::ColumnWidths:
            EXPECT_EQ(f->SortGrid1->Cells(3, 0), QStringLiteral("Note"));
            EXPECT_EQ(f->sbLoad->toolTip(), QStringLiteral("Protokoll \u00f6ffnen"));
            break;
        default:
            break;
        }
    };
    create();
    EXPECT_EQ(steps, QList<CreationStep>(CreationOrder.begin(), CreationOrder.end()));
    EXPECT_TRUE(form->ComPort->Connected());
    EXPECT_EQ(form->SortGrid1->ColWidths(0), 64);
}

TEST_F(FormMainShell, DestructionClosesThePortLast) {
    create();
    form->ComPort->setPort(3);
    form->OpenLightBarrierPort();
    ASSERT_TRUE(form->ComPort->Connected());
    QList<DestructionStep> steps;
    QList<bool> connected;
    TFormMain::OnDestructionStep = [&](TFormMain* f, DestructionStep step) {
        steps.append(step);
        connected.append(f->ComPort->Connected());
    };
    form.reset();
    EXPECT_EQ(steps, QList<DestructionStep>(DestructionOrder.begin(), DestructionOrder.end()));
    EXPECT_EQ(connected, (QList<bool>{true, true, true}));
    EXPECT_EQ(serial.line().openDevices(), 0);
}

TEST_F(FormMainShell, AfterOneStartClosingAsksBeendenAndOnlyJaCloses) {
    create();
    show();
    form->mStartClick(form->mStart);
    ASSERT_EQ(form->SortGrid1->RowCount(), 3); // header, "Nr.:" and "Start:"

    // "Nein" and Esc keep the window and the run.
    dialogs.answerYesNo(false);
    EXPECT_FALSE(form->close());
    dialogs.onNextModal([](QDialog& d) {
        QTest::keyClick(&d, Qt::Key_Escape);
        return d.result();
    });
    key(Qt::Key_B, Qt::AltModifier);
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(form->ClockRunning());
    EXPECT_EQ(dialogs.yesNoQuestions(), QStringList(2, QStringLiteral("Beenden?")));

    dialogs.answerYesNo(true);
    QTest::mouseClick(form->bBeenden, Qt::LeftButton);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(dialogs.yesNoQuestions().size(), 3);
}

TEST_F(FormMainShell, ARunningClockAloneIsReasonToAsk) {
    create();
    show();
    form->mStartClick(form->mStart);
    form->SortGrid1->setRowCount(2);
    dialogs.answerYesNo(false);
    EXPECT_FALSE(form->close());
    EXPECT_EQ(dialogs.yesNoQuestions(), QStringList{QStringLiteral("Beenden?")});
}

TEST_F(FormMainShell, PrinterChosenWithAltDIsWhereTheProtocolIsPrinted) {
    create();
    show();
    const QString pdf = dir.filePath(QStringLiteral("protokoll.pdf"));
    dialogs.choosePdfPrinter(pdf);
    key(Qt::Key_D, Qt::AltModifier);
    EXPECT_EQ(dialogs.printerSetups(), 1);

    form->mStartClick(form->mStart);
    form->SortGrid1->PrintOptions()->setFromRow(1);
    form->SortGrid1->PrintOptions()->setToRow(uint32_t(form->SortGrid1->RowCount() - 1));
    form->SortGrid1->Print();
    QFile printed(pdf);
    ASSERT_TRUE(printed.open(QIODevice::ReadOnly));
    EXPECT_TRUE(printed.read(5) == "%PDF-");
    // The printer is shared by every test of this program.
    platform::systemPrinter().setOutputFileName(QString());
    platform::systemPrinter().setOutputFormat(QPrinter::NativeFormat);
}

TEST_F(FormMainShell, DialogsMadeAfterTheWindowCarryTheTitleItTookFromTheProgramFile) {
    create(QStringLiteral("kartex"));
    form->CreateDialogs();
    ASSERT_NE(form->FDlgYesNo, nullptr);
    ASSERT_NE(form->CfgDialog, nullptr);
    EXPECT_EQ(form->FDlgYesNo->windowTitle(), QStringLiteral("kartex"));
}

TEST_F(FormMainShell, ShortcutMenuCarriesTheShellItemsAfterTheRun) {
    create();
    // The run's four, a separator, the shell's five, the impulse list, the event's four, then the
    // live results' two.
    ASSERT_EQ(form->HideMenu1.size(), 17);
    EXPECT_TRUE(form->HideMenu1[4]->isSeparator());
    const QList<std::pair<QString, int>> expected{{QStringLiteral("&Einstellungen"), 32837},
                                                  {QStringLiteral("H&ilfe"), 32841},
                                                  {QStringLiteral("&Drucker"), 32836},
                                                  {QStringLiteral("&Beenden"), 32834},
                                                  {QStringLiteral("Hilfe"), 112},
                                                  {QStringLiteral("Imp&ulse"), 32853},
                                                  {QStringLiteral("&Veranstaltung"), 32854},
                                                  {QStringLiteral("Er&gebnisse"), 32839},
                                                  {QStringLiteral("Rückgängig"), 16474},
                                                  {QStringLiteral("Wiederholen"), 16473},
                                                  {QStringLiteral("Live-E&rgebnisse"), 32850},
                                                  {QStringLiteral("&Zuschauer-Anzeige"), 32858}};
    for (int i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(form->HideMenu1[i + 5]->text(), expected[i].first);
        EXPECT_EQ(form->HideMenu1[i + 5]->ShortCut(), expected[i].second);
    }
}
