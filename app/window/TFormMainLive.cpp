// The live results beside the timing: the snapshot feed, fed from the open event and the run on the
// track; the results server with its window; and the spectator screen.
#include "app/window/TFormMain.h"

#include "app/live/LiveServerWindow.h"
#include "app/live/SpectatorWindow.h"
#include "app/results/EventDocument.h"
#include "app/run/RunTexts.h"
#include "live/LiveFeed.h"
#include "live/LiveServer.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QSpinBox>

void TFormMain::buildLive() {
    // The feed first: children are deleted in the order they were made, and the feed's thread must
    // have ended before the server it hands snapshots to goes.
    m_liveFeed = new LiveFeed(this);
    m_liveServer = new LiveServer({}, this);
    connect(m_liveFeed, &LiveFeed::snapshotReady, m_liveServer, &LiveServer::setSnapshot,
            Qt::DirectConnection);
    m_liveFeed->setResolution(m_settings.Acc);
    feedLiveEvent();
    // Every change as it is made, not only once committed: the page is to follow within a second.
    connect(m_event, &EventDocument::modelChanged, this, [this] { feedLiveEvent(); });
    connect(m_event, &EventDocument::eventReplaced, this, [this] { feedLiveEvent(); });

    FormLive = new LiveServerWindow(*m_liveServer, this);
    FormLive->setAttribute(Qt::WA_QuitOnClose, false);
    connect(FormLive, &LiveServerWindow::choiceChanged, this, [this](bool on, int port) {
        const Settings old = CurrentSettings();
        Settings now = old;
        now.LiveOn = on;
        now.LivePort = port;
        applySettings(old, now);
        // Kept at once, as the settings dialog's OK is: the next start offers the results again.
        WriteSettings();
    });

    using namespace ShortCutCode;
    mLive = new TMenuItem(tr("Live-E&rgebnisse"), Alt | 'R', this);
    mSpectator = new TMenuItem(tr("&Zuschauer-Anzeige"), Alt | 'Z', this);
    connect(mLive, &QAction::triggered, this, [this] { ShowLiveServer(); });
    connect(mSpectator, &QAction::triggered, this, [this] { ShowSpectator(); });
    HideMenu1 += {mLive, mSpectator};

    applyLiveChoice();
}

void TFormMain::feedLiveEvent() {
    const EventModel* model = m_event ? m_event->model() : nullptr;
    m_liveFeed->setEvent(model ? model->data() : EventData{});
}

void TFormMain::feedLive(RunAction action) {
    switch (action) {
    case RunAction::Start:
        m_liveRun = {LivePhase::Running, seStartN->value(), editStartN->text(), m_session.StartTick(), 0};
        break;
    case RunAction::Lap:
        return;
    case RunAction::Stop:
        m_liveRun.phase = LivePhase::Finished;
        m_liveRun.finalTimeMs = TickInterval(m_session.StartTick(), m_session.StopTick());
        m_liveRun.startTick = 0;
        break;
    case RunAction::Reset:
        m_liveRun = {};
        break;
    }
    m_liveFeed->setRun(m_liveRun);
}

void TFormMain::applyLiveSettings(const Settings& old, const Settings& now) {
    // Before the window is whole, buildLive takes the settings as they are then.
    if (!m_liveFeed)
        return;
    m_liveFeed->setResolution(now.Acc);
    if (now.LiveOn != old.LiveOn || now.LivePort != old.LivePort)
        applyLiveChoice();
}

void TFormMain::applyLiveChoice() {
    FormLive->setChoice(m_settings.LiveOn, m_settings.LivePort);
    // The window says why (the port is taken, say) and lets another port be chosen.
    if (m_settings.LiveOn && !m_liveServer->isRunning())
        ShowLiveServer();
}

void TFormMain::ShowLiveServer() {
    FormLive->show();
    FormLive->raise();
    FormLive->activateWindow();
}

void TFormMain::ShowSpectator() {
    const QList<QScreen*> screens = QGuiApplication::screens();
    QScreen* target = nullptr;
    if (!FormSpectator) {
        FormSpectator = new SpectatorWindow(this);
        FormSpectator->setAttribute(Qt::WA_QuitOnClose, false);
        FormSpectator->setSnapshot(m_liveFeed->snapshot());
        connect(m_liveFeed, &LiveFeed::snapshotReady, FormSpectator, &SpectatorWindow::setSnapshot);
        // A second screen (the TV) rather than the one the operator works on.
        for (QScreen* s : screens)
            if (s != screen()) {
                target = s;
                break;
            }
    } else if (FormSpectator->isVisible() && screens.size() > 1) {
        const qsizetype at = screens.indexOf(FormSpectator->screen());
        target = screens.value((at + 1) % screens.size());
    } else {
        target = FormSpectator->screen(); // back where it was
    }
    FormSpectator->showFullScreenOn(target ? target : screen());
    FormSpectator->raise();
}

void TFormMain::addLiveActions(QMenu* menu) {
    menu->addAction(tr("Live-E&rgebnisse …"), this, [this] { ShowLiveServer(); });
    menu->addAction(tr("&Zuschauer-Anzeige"), this, [this] { ShowSpectator(); });
}
