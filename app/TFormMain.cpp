#include "TFormMain.h"

#include "ProtocolJournal.h"
#include "comms/TComPort.h"
#include "sortgrid/TSortGrid.h"

#include <QApplication>
#include <QTimer>
#include <algorithm>

static void initResources() {
    // The images live in this static library; they must be registered before first use.
    Q_INIT_RESOURCE(icons);
}

TFormMain::TFormMain(QWidget* parent) : QWidget(parent) {
    initResources();
    buildWindow();
    buildDisplay();
    buildInputArea();
    buildMenu();
    buildProtocolButtons();
    buildProtocolGrid();
    bindProtocolCommands();

    Clock = new QTimer(this);
    Clock->setInterval(10);
    Clock->setTimerType(Qt::PreciseTimer);
    connect(Clock, &QTimer::timeout, this, [this] { ClockTimer(Clock); });

    buildLightBarrier();
    buildSettingsCommand();
    qApp->installEventFilter(this);

    ReadSettings();
    ApplyResolution(Acc());
    // The scan runs before the configured port is opened, so that port is free while it is probed.
    ScanComPorts();
    ShowDigits(0, 0);
    ShowDigits(1, 0);
    UpdateProtocolButtons();
    const char* const headers[4] = {"Who", "Time", "Speed", "Note"};
    for (int c = 0; c < 4; ++c)
        SortGrid1->setCells(c, 0, QString::fromLatin1(headers[c]));
    CreateSpreadsheetComponent();
    layoutAreas();
    // Before the port opens, so that no pass can come before the journal's question.
    StartJournal();
    OpenLightBarrierPort();
}

TFormMain::~TFormMain() {
    DestroySpreadsheetComponent();
    WriteSettings();
    // While the window is still whole: a DSR event handed over before the close still runs.
    ComPort->Close();
    CloseJournal();
    qApp->removeEventFilter(this);
}

// ---------------------------------------------------------------------------------------------
// Settings the run and the display use; reading and storing them lives with the settings.

void TFormMain::setLenLuch(int metres) {
    m_session.setLenLuch(metres);
}

void TFormMain::setAcc(int acc) {
    acc = std::clamp(acc, 0, 2);
    if (acc == m_session.Acc())
        return;
    m_session.setAcc(acc);
    ApplyResolution(acc);
}

void TFormMain::setC3(TColor c) {
    m_c3 = c;
}

void TFormMain::setC4(TColor c) {
    m_c4 = c;
}
