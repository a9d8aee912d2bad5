#include "app/window/TFormMain.h"

#include "app/window/ShellLayout.h"
#include "app/window/TFDlgYesNo.h"
#include "app/window/TLogo.h"
#include "office/FileOpener.h"
#include "platform/Dialogs.h"
#include "platform/Fonts.h"
#include "platform/ProgramFile.h"
#include "platform/QtPrinter.h"
#include "platform/SystemClock.h"
#include "sortgrid/TSortGrid.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

// ---------------------------------------------------------------------------------------------
// Top bar

void TFormMain::buildTopBar() {
    using namespace ShellLayout;
    QIcon icon;
    for (const char* size : {"32", "64", "256"})
        icon.addFile(QStringLiteral(":/icons/vantro-%1.png").arg(QLatin1String(size)));
    setWindowIcon(icon);

    QFont barFont = font();
    barFont.setPixelSize(16);
    barFont.setBold(true);
    TopBar->setFont(barFont);

    struct ButtonSpec {
        QPushButton** button;
        const char* caption;
        QRect rect;
    };
    // The settings button `bCFG` comes with the settings command.
    const ButtonSpec buttons[2] = {
        {&bHelp, QT_TR_NOOP("H&ilfe"), HelpButton},
        {&bBeenden, QT_TR_NOOP("&Beenden"), ExitButton},
    };
    for (const ButtonSpec& spec : buttons) {
        auto* b = new QPushButton(tr(spec.caption), TopBar);
        b->setGeometry(spec.rect);
        b->setCursor(Qt::PointingHandCursor);
        b->setAutoDefault(false);
        *spec.button = b;
    }
    setTabOrder(bCFG, bHelp);
    setTabOrder(bHelp, bBeenden);
    connect(bHelp, &QPushButton::clicked, this, [this] { bHelpClick(bHelp); });
    connect(bBeenden, &QPushButton::clicked, this, [this] { bExitClick(bBeenden); });

    Logo = new TLogo(QStringLiteral("Vantro"), TopBar);
    Logo->move(LogoLeft, (TopBarHeight - Logo->height()) / 2);

    TopBarStatusSlot = new QWidget(TopBar);
    auto* slotLayout = new QHBoxLayout(TopBarStatusSlot);
    slotLayout->setContentsMargins(0, 0, 0, 0);
    slotLayout->setSpacing(StatusGap);

    PanelDate = new QLabel(QStringLiteral("00:00"), TopBar);
    PanelDate->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    PanelDate->setLineWidth(2);
    PanelDate->setAlignment(Qt::AlignCenter);
    PanelDate->setAutoFillBackground(true);
    QPalette pal = PanelDate->palette();
    pal.setColor(QPalette::Window, ColorToQColor(clBlack));
    pal.setColor(QPalette::WindowText, ColorToQColor(clSilver));
    PanelDate->setPalette(pal);
    PanelDate->setFont(platform::designedFont(QStringLiteral("Arial Narrow"), 24));

    TimerDate = new QTimer(this);
    TimerDate->setInterval(5000);
    connect(TimerDate, &QTimer::timeout, this, [this] { TimerDateTimer(TimerDate); });
    TimerDate->start();
}

void TFormMain::layoutTopBar() {
    const int w = TopBar->width();
    PanelDate->setGeometry(ShellLayout::DatePanelRect(w));
    TopBarStatusSlot->setGeometry(ShellLayout::StatusSlotRect(w, Logo->geometry().right() + 1));
    layoutBarrierStatus();
}

void TFormMain::buildShellMenu() {
    using namespace ShortCutCode;
    mSeparator = new TMenuItem(QStringLiteral("-"), 0, this);
    mSeparator->setSeparator(true);
    Hilfe1 = new TMenuItem(tr("H&ilfe"), Alt | 'I', this);
    mPrinterSetup = new TMenuItem(tr("&Drucker"), Alt | 'D', this);
    Beenden1 = new TMenuItem(tr("&Beenden"), Alt | 'B', this);
    mHilfe = new TMenuItem(tr("Hilfe"), F1, this);
    connect(Hilfe1, &QAction::triggered, this, [this] { bHelpClick(Hilfe1); });
    connect(mHilfe, &QAction::triggered, this, [this] { bHelpClick(mHilfe); });
    connect(mPrinterSetup, &QAction::triggered, this, [this] { Drucker1Click(mPrinterSetup); });
    connect(Beenden1, &QAction::triggered, this, [this] { bExitClick(Beenden1); });
    // In the menu's order: the run, then the separator, the settings and the shell's own items.
    HideMenu1.removeAll(mSettings);
    HideMenu1 += {mSeparator, mSettings, Hilfe1, mPrinterSetup, Beenden1, mHilfe};
}

// ---------------------------------------------------------------------------------------------
// Creation and destruction

void TFormMain::FormCreate() {
    for (CreationStep step : CreationOrder) {
        if (OnCreationStep)
            OnCreationStep(this, step);
        runCreationStep(step);
    }
    m_created = true;
}

void TFormMain::runCreationStep(CreationStep step) {
    switch (step) {
    case CreationStep::SetTitle:
        m_names = ProgramNamesOf(platform::programFilePath());
        QApplication::setApplicationName(m_names.Title);
        break;
    case CreationStep::RegistryKey:
        // Part of the names above; the settings read it through the application title.
        break;
    case CreationStep::DefaultDocument:
        m_names.DefaultDocument = LocateProgramFile(m_names.DefaultDocument, m_names.Title);
        m_defaultDocument = m_names.DefaultDocument;
        break;
    case CreationStep::DefaultSounds:
        m_settings.Sound1 = Settings::DefaultSound1();
        m_settings.Sound2 = Settings::DefaultSound2();
        break;
    case CreationStep::ReadSettings:
        ReadSettings();
        break;
    case CreationStep::HelpFile:
        m_names.HelpFile = LocateProgramFile(m_names.HelpFile, m_names.Title);
        break;
    case CreationStep::ApplyResolution:
        ApplyResolution(m_settings.Acc);
        break;
    case CreationStep::ScanComPorts:
        ScanComPorts();
        break;
    case CreationStep::DialogFolder:
        // Kept in the names; the file dialogs start there.
        break;
    case CreationStep::ShowZero:
        ShowDigits(0, 0);
        ShowDigits(1, 0);
        break;
    case CreationStep::UpdateDate:
        TimerDateTimer(TimerDate);
        break;
    case CreationStep::OpenPort:
        // The journal starts first, so that no pass can come before its restore question.
        StartJournal();
        StartImpulses();
        OpenLightBarrierPort();
        break;
    case CreationStep::UpdateProtocolButtons:
        UpdateProtocolButtons();
        break;
    case CreationStep::GridHeader: {
        // A protocol restored from the journal brings its own header row.
        if (!SortGrid1->IsRowEmpty(0))
            break;
        const char* const headers[4] = {"Who", "Time", "Speed", "Note"};
        for (int c = 0; c < 4; ++c)
            SortGrid1->setCells(c, 0, QString::fromLatin1(headers[c]));
        break;
    }
    case CreationStep::Hints:
        sbCLS->setToolTip(tr("Protokoll  löschen"));
        sbLoad->setToolTip(tr("Protokoll öffnen"));
        break;
    case CreationStep::CreateSpreadsheet:
        CreateSpreadsheetComponent();
        break;
    case CreationStep::ColumnWidths:
        FormResize();
        break;
    }
}

void TFormMain::FormDestroy() {
    for (DestructionStep step : DestructionOrder) {
        if (OnDestructionStep)
            OnDestructionStep(this, step);
        runDestructionStep(step);
    }
}

void TFormMain::runDestructionStep(DestructionStep step) {
    switch (step) {
    case DestructionStep::DestroySpreadsheet:
        DestroySpreadsheetComponent();
        break;
    case DestructionStep::WriteSettings:
        WriteSettings();
        break;
    case DestructionStep::ClosePort:
        ComPort->Close();
        CloseJournal();
        break;
    }
}

// ---------------------------------------------------------------------------------------------
// Date panel, help, exit, close confirmation

void TFormMain::TimerDateTimer(QObject*) {
    PanelDate->setText(ShellLayout::DatePanelText(platform::systemClock().localDateTime()));
}

void TFormMain::bHelpClick(QObject*) {
    // Looked for again: the page may have been installed or removed since start-up.
    const QString besideProgram = ChangeFileExt(platform::programFilePath(), QStringLiteral(".html"));
    const QString page = LocateProgramFile(besideProgram, m_names.Title);
    if (!QFileInfo(page).isFile()) {
        QStringList places;
        for (const QString& path : ProgramFileCandidates(besideProgram, m_names.Title).mid(0, 2))
            places += QDir::toNativeSeparators(path);
        platform::dialogs().showMessage(tr("Die Hilfe wurde nicht gefunden. Erwartet wird die Datei\n%1")
                                            .arg(places.join(tr("\noder\n"))));
        return;
    }
    m_names.HelpFile = page;
    if (!platform::fileOpener().OpenFile(page))
        platform::dialogs().showMessage(
            tr("Die Hilfe konnte nicht geöffnet werden:\n%1").arg(QDir::toNativeSeparators(page)));
}

void TFormMain::bExitClick(QObject*) {
    close();
}

void TFormMain::FormCloseQuery(QObject*, bool& CanClose) {
    CanClose = true;
    CreateDialogs();
    FDlgYesNo->LabQuestion->setText(tr("Beenden?"));
    if (!ShellLayout::CloseNeedsConfirmation(ClockRunning(), SortGrid1->RowCount()))
        return;
    CanClose = FDlgYesNo->ShowModal() == TFDlgYesNo::mrYes;
}

void TFormMain::Drucker1Click(QObject*) {
    // Protocol printing prints on this device, a PDF file chosen here included.
    platform::dialogs().printerSetup(platform::systemPrinter());
}

void TFormMain::closeEvent(QCloseEvent* event) {
    bool canClose = true;
    FormCloseQuery(this, canClose);
    if (canClose)
        event->accept();
    else
        event->ignore();
}
