#include "app/window/TFormMain.h"

#include "app/settings/CfgDialogRun.h"
#include "app/settings/TCfgDialog.h"
#include "app/window/ShellLayout.h"
#include "app/window/TFDlgYesNo.h"
#include "controls/TDigit.h"
#include "platform/Dialogs.h"
#include "settings/Registry.h"

#include <QFrame>
#include <QPushButton>
#include <QScreen>

namespace {

// The main window as the settings dialog's run sees it.
class FormHost : public CfgDialogHost {
public:
    explicit FormHost(TFormMain& form) : m_form(form) {}
    TColor Color(int n) const override { return m_form.C(n); }
    void setColor(int n, TColor c) override { m_form.setC(n, c); }
    int Acc() const override { return m_form.Acc(); }
    void setAcc(int acc) override { m_form.setAcc(acc); }
    int LenLuch() const override { return m_form.LenLuch(); }
    void setLenLuch(int metres) override { m_form.setLenLuch(metres); }
    int DeadTime() const override { return m_form.DeadTime(); }
    void setDeadTime(int ms) override { m_form.setDeadTime(ms); }
    uint8_t Port() const override { return m_form.ComPort->Port(); }
    void setPort(uint8_t port) override {
        m_form.ComPort->setPort(port);
        m_form.LightBarrierPortChosen();
    }
    int Alg() const override { return m_form.Alg(); }
    void setAlg(int alg) override { m_form.setAlg(alg); }
    QString Sound1() const override { return m_form.Sound1(); }
    QString Sound2() const override { return m_form.Sound2(); }
    void setSounds(const QString& sound1, const QString& sound2) override {
        m_form.setSounds(sound1, sound2);
    }
    bool Alarm() const override { return m_form.AlarmOn(); }
    void setAlarm(bool on) override { m_form.setAlarm(on); }
    void OpenPort() override { m_form.OpenChosenPort(); }
    void ClosePort() override { m_form.ComPort->Close(); }
    bool ClockRunning() const override { return m_form.ClockRunning(); }
    void ShowDigits(int row, int64_t value) override { m_form.ShowDigits(row, value); }
    void ApplyResolution(int acc) override { m_form.ApplyResolution(acc); }
    void FocusLeftPanel() override { m_form.Panel2->setFocus(); }
    void SaveSettings() override { m_form.WriteSettings(); }
    bool OtherInstanceRunning() override { return m_form.OtherInstanceRunning(); }

private:
    TFormMain& m_form;
};

void paintPanel(QWidget* panel, TColor color) {
    QPalette pal = panel->palette();
    pal.setColor(QPalette::Window, ColorToQColor(color));
    panel->setPalette(pal);
    panel->setAutoFillBackground(true);
}

} // namespace

void TFormMain::buildSettingsCommand() {
    bCFG = new QPushButton(QStringLiteral("&Einstellungen"), Panel1);
    bCFG->setObjectName(QStringLiteral("bCFG"));
    bCFG->setGeometry(4, 4, 133, 26);
    bCFG->setCursor(Qt::PointingHandCursor);
    QFont bold = bCFG->font();
    bold.setPixelSize(16);
    bold.setBold(true);
    bCFG->setFont(bold);
    connect(bCFG, &QPushButton::clicked, this, [this] { bCFGClick(bCFG); });
    EinstellunGen1 = new TMenuItem(QStringLiteral("&Einstellungen"), ShortCutCode::Alt | 'E', this);
    connect(EinstellunGen1, &QAction::triggered, this, [this] { bCFGClick(EinstellunGen1); });
    HideMenu1.append(EinstellunGen1);
}

void TFormMain::CreateDialogs() {
    if (!CfgDialog)
        CfgDialog = new TCfgDialog(this, m_portScan);
    CfgDialog->OnCheckPort = [this](const QString& port) { CheckPort(port, CfgDialog->seDeadTime); };
    if (!FDlgYesNo)
        FDlgYesNo = new TFDlgYesNo(this);
}

uint32_t TFormMain::ScanComPorts() {
    m_portScan = platform::scanComPorts();
    return m_portScan.Word;
}

TColor TFormMain::C(int n) const {
    switch (n) {
    case 3:
        return m_c3;
    case 4:
        return m_c4;
    default:
        return n >= 0 && n < 3 ? m_c012[size_t(n)] : 0;
    }
}

void TFormMain::setC(int n, TColor c) {
    switch (n) {
    case 0:
        if (c == m_c012[0])
            return;
        m_c012[0] = c;
        applyBackground();
        return;
    case 1:
        // "Ziffern" is the dim colour of the time row's leading zeros, which C3 keeps.
        m_c012[1] = c;
        setC3(c);
        return;
    case 2:
        // "ZiffernF" is the colour those digits light up in, which C4 keeps.
        m_c012[2] = c;
        setC4(c);
        return;
    case 3:
        setC3(c);
        return;
    case 4:
        setC4(c);
        return;
    default:
        return;
    }
}

void TFormMain::applyBackground() {
    const TColor c = m_c012[0];
    for (QWidget* panel : {static_cast<QWidget*>(PanelTimerOwner), static_cast<QWidget*>(PanelTimer),
                           static_cast<QWidget*>(Panel6)})
        paintPanel(panel, c);
    for (int row = 0; row < 2; ++row) {
        for (TDigit* d : rowDigits(row)) {
            d->setColor(c);
            d->setColorOff(c);
        }
    }
}

void TFormMain::setSounds(const QString& sound1, const QString& sound2) {
    m_settings.Sound1 = sound1;
    m_settings.Sound2 = sound2;
}

Settings TFormMain::CurrentSettings() const {
    Settings s = m_settings;
    s.Port = ComPort->Port();
    s.Alg = Alg();
    s.Left = pos().x();
    s.Top = pos().y();
    s.Width = width();
    s.Height = height();
    s.Acc = Acc();
    s.LenLuch = LenLuch();
    s.DeadTime = DeadTime();
    for (int n = 0; n < 5; ++n)
        s.C[size_t(n)] = C(n);
    return s;
}

void TFormMain::ReadSettings() {
    platform::Registry registry;
    m_settingsLock = std::make_unique<platform::InstanceLock>(registry.FileName() + QStringLiteral(".lock"));
    m_settingsLock->TryAcquire();
    Settings s;
    const Settings::ReadResult result = s.Read(registry);
    if (!result.Problem.isEmpty())
        platform::dialogs().showMessage(result.Problem);
    m_settings = s;
    m_storedSettings = s;
    // Replaced by their defaults, they are written back at the next save so the message comes once.
    m_invalidSettings = result.Invalid;
    // The stored size decides the first size; the window system places the window. A size from a
    // bigger screen, or a damaged one, must not make a window the X server chokes on.
    const QScreen* screen = this->screen();
    resize(ShellLayout::StoredWindowSize(QSize(s.Width, s.Height),
                                         screen ? screen->availableGeometry().size() : QSize(),
                                         QSize(Settings::DefaultWidth, Settings::DefaultHeight)));
    ComPort->setPort(s.Port);
    setAlg(s.Alg);
    setAcc(s.Acc);
    setLenLuch(s.LenLuch);
    setDeadTime(s.DeadTime);
    m_c012 = {s.C[0], s.C[1], s.C[2]};
    setC3(s.C[3]);
    setC4(s.C[4]);
    applyBackground();
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
    FormHost host(*this);
    RunCfgDialog(*CfgDialog, host);
}
