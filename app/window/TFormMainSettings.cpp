#include "app/window/TFormMain.h"

#include "app/results/ResultsWindow.h"
#include "app/settings/TCfgDialog.h"
#include "app/window/ShellLayout.h"
#include "app/window/TFDlgYesNo.h"
#include "controls/TDigit.h"
#include "platform/Dialogs.h"
#include "settings/Registry.h"

#include <QFrame>
#include <QPushButton>
#include <QScreen>

#include <algorithm>
#include <exception>

namespace {

void paintPanel(QWidget* panel, TColor color) {
    QPalette pal = panel->palette();
    pal.setColor(QPalette::Window, ColorToQColor(color));
    panel->setPalette(pal);
    panel->setAutoFillBackground(true);
}

} // namespace

void TFormMain::buildSettingsCommand() {
    bCFG = new QPushButton(tr("&Einstellungen"), TopBar);
    bCFG->setObjectName(QStringLiteral("bCFG"));
    bCFG->setGeometry(4, 4, 133, 26);
    bCFG->setCursor(Qt::PointingHandCursor);
    QFont bold = bCFG->font();
    bold.setPixelSize(16);
    bold.setBold(true);
    bCFG->setFont(bold);
    connect(bCFG, &QPushButton::clicked, this, [this] { bCFGClick(bCFG); });
    mSettings = new TMenuItem(tr("&Einstellungen"), ShortCutCode::Alt | 'E', this);
    connect(mSettings, &QAction::triggered, this, [this] { bCFGClick(mSettings); });
    HideMenu1.append(mSettings);
}

void TFormMain::CreateDialogs() {
    if (!CfgDialog) {
        CfgDialog = new TCfgDialog(this, m_portScan);
        CfgDialog->OnCheckPort = [this](const QString& port) { CheckPort(port, CfgDialog->seDeadTime); };
    }
    if (!FDlgYesNo)
        FDlgYesNo = new TFDlgYesNo(this);
}

uint32_t TFormMain::ScanComPorts() {
    m_portScan = platform::scanComPorts();
    return m_portScan.Word;
}

void TFormMain::applyBackground() {
    const TColor c = m_settings.C[0];
    for (QWidget* panel : {static_cast<QWidget*>(PanelTimerOwner), static_cast<QWidget*>(PanelTimer),
                           static_cast<QWidget*>(PanelSpeed)})
        paintPanel(panel, c);
    for (int row = 0; row < 2; ++row) {
        for (TDigit* d : rowDigits(row)) {
            d->setColor(c);
            d->setColorOff(c);
        }
    }
}

Settings TFormMain::CurrentSettings() const {
    Settings s = m_settings;
    s.Left = pos().x();
    s.Top = pos().y();
    s.Width = width();
    s.Height = height();
    return s;
}

void TFormMain::applySettings(const Settings& old, const Settings& now) {
    Settings s = now;
    s.Acc = std::clamp(now.Acc, 0, 2);
    s.DeadTime = std::clamp(now.DeadTime, 0, Settings::DeadTimeMax);
    m_settings = s;

    if (s.Width != old.Width || s.Height != old.Height) {
        // A size from a bigger screen, or a damaged one, must not make a window the X server
        // chokes on. The position is the window system's to choose.
        const QScreen* screen = this->screen();
        resize(ShellLayout::StoredWindowSize(QSize(s.Width, s.Height),
                                             screen ? screen->availableGeometry().size() : QSize(),
                                             QSize(Settings::DefaultWidth, Settings::DefaultHeight)));
    }
    m_session.setLenLuch(s.LenLuch);
    m_session.setAcc(s.Acc);
    if (s.Acc != old.Acc) {
        ApplyResolution(s.Acc);
        if (m_results)
            m_results->setResolution(s.Acc);
    }
    m_gate.setDeadTime(s.DeadTime);
    // C3 and C4 colour the time row's leading digits from the next time it is shown.
    if (s.C[0] != old.C[0])
        applyBackground();
    applyLiveSettings(old, s);
    // Last, as it may fail: everything else is in effect by then.
    if (s.Port != old.Port) {
        if (m_created)
            changePort(s.Port);
        else
            ComPort->setPort(s.Port); // the creation's own step opens it
    }
}

void TFormMain::ReadSettings() {
    platform::Registry registry;
    m_settingsLock = std::make_unique<platform::InstanceLock>(registry.FileName() + QStringLiteral(".lock"));
    m_settingsLock->TryAcquire();
    const Settings before = CurrentSettings();
    Settings s;
    const Settings::ReadResult result = s.Read(registry);
    if (!result.Problem.isEmpty())
        platform::dialogs().showMessage(result.Problem);
    m_storedSettings = s;
    // Replaced by their defaults, they are written back at the next save so the message comes once.
    m_invalidSettings = result.Invalid;
    applySettings(before, s);
}

bool TFormMain::WriteSettings() {
    platform::Registry registry;
    const Settings current = CurrentSettings();
    if (!current.Write(registry, &m_storedSettings, m_invalidSettings))
        return false;
    m_storedSettings = current;
    m_invalidSettings.clear();
    return true;
}

bool TFormMain::OtherInstanceRunning() {
    // Looked at again each time: the other instance may have ended meanwhile.
    return m_settingsLock && !m_settingsLock->TryAcquire();
}

void TFormMain::bCFGClick(QObject*) {
    CreateDialogs();
    const Settings old = CurrentSettings();
    CfgDialog->setOtherInstanceNote(OtherInstanceRunning());
    const std::optional<Settings> now = CfgDialog->Edit(old, [this](int acc) { ApplyResolution(acc); });
    std::exception_ptr portError;
    if (now) {
        try {
            applySettings(old, *now);
        } catch (...) {
            portError = std::current_exception();
        }
        if (!ClockRunning())
            ShowDigits(0, 0);
        // Stored at once, so a crash later does not lose what OK confirmed.
        WriteSettings();
        // The texts are made as the window is built; a new language needs a new start.
        if (now->UiLanguage != old.UiLanguage)
            platform::dialogs().showMessage(tr("Die Sprache wechselt beim nächsten Start des Programms."));
    }
    LeftColumn->setFocus();
    // An error opening the new port reaches the operator once everything else took effect.
    if (portError)
        std::rethrow_exception(portError);
}
