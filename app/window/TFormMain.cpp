#include "app/window/TFormMain.h"

#include "app/impulses/AssignPassCommand.h"
#include "app/impulses/ImpulseWindow.h"
#include "app/journal/ProtocolJournal.h"
#include "app/results/EventDocument.h"
#include "serial/TComPort.h"
#include "sortgrid/TSortGrid.h"

#include <QApplication>
#include <QTimer>
#include <QUndoStack>
#include <algorithm>

static void initResources() {
    // The images live in this static library; they must be registered before first use.
    Q_INIT_RESOURCE(icons);
}

TFormMain::TFormMain(QWidget* parent) : QWidget(parent) {
    initResources();
    // The window as designed, then its creation steps (TFormMainShell.cpp).
    buildWindow();
    buildDisplay();
    buildInputArea();
    buildMenu();
    buildProtocolButtons();
    buildProtocolGrid();
    bindProtocolCommands();
    buildLightBarrier();
    buildSettingsCommand();
    buildTopBar();
    buildShellMenu();

    Clock = new QTimer(this);
    Clock->setInterval(10);
    Clock->setTimerType(Qt::PreciseTimer);
    connect(Clock, &QTimer::timeout, this, [this] { ClockTimer(Clock); });

    qApp->installEventFilter(this);
    layoutAreas();
    FormCreate();
    buildEvent();
    buildLive();
}

TFormMain::~TFormMain() {
    // While the window is still whole: a DSR event handed over before the close still runs.
    FormDestroy();
    qApp->removeEventFilter(this);
    // The impulse list and the passes taken into runs refer to the impulse log and the protocol,
    // which are members and go before the child objects do: they go first.
    delete FormImpulses;
    FormImpulses = nullptr;
    if (m_event)
        m_event->undoStack()->clear();
}
