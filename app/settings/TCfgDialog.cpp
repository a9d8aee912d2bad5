#include "app/settings/TCfgDialog.h"

#include "controls/ToColorCombo.h"
#include "platform/Dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QSpinBox>

#include <algorithm>

namespace {

// Three lines of the dialog's font.
constexpr int OtherInstanceNoteHeight = 48;
// The designed 193 pixels, a row below the buttons for the port check and the alarm switch, and
// one for the language.
constexpr int DialogHeight = 252;

QLabel* label(const QString& text, QWidget* parent, int x, int y) {
    auto* l = new QLabel(text, parent);
    l->move(x, y);
    l->adjustSize();
    return l;
}

TColor fromQColor(const QColor& c) {
    return TColor(c.red()) | (TColor(c.green()) << 8) | (TColor(c.blue()) << 16);
}

QString portToolTip(const platform::ComPortInfo& info) {
    QString tip = QString::fromStdString(info.Path);
    if (!info.ById.empty())
        tip += u'\n' + QString::fromStdString(info.ById);
    return tip;
}

} // namespace

TCfgDialog::TCfgDialog(QWidget* parent, const platform::ComPortScanResult& scan) : QDialog(parent) {
    setObjectName(QStringLiteral("CfgDialog"));
    setWindowTitle(tr("Einstellungen"));
    setFixedSize(271, DialogHeight);
    setWindowFlags((windowFlags() | Qt::MSWindowsFixedSizeDialogHint) & ~Qt::WindowContextHelpButtonHint);
    ScanPorts = [] { return platform::scanComPorts(); };

    label(tr("Empfindlichkeit:"), this, 8, 14);
    cbDigits = new QComboBox(this);
    cbDigits->setObjectName(QStringLiteral("cbDigits"));
    cbDigits->setGeometry(106, 10, 73, 21);
    cbDigits->addItems({QStringLiteral("1/100"), QStringLiteral("1/10"), QStringLiteral("1")});
    cbDigits->setCurrentIndex(0);

    label(tr("Lichtschranke:"), this, 8, 42);
    cbPort = new QComboBox(this);
    cbPort->setObjectName(QStringLiteral("cbPort"));
    cbPort->setGeometry(106, 38, 73, 21);

    label(tr("Algorithmus:"), this, 8, 70);
    cbAlg = new QComboBox(this);
    cbAlg->setObjectName(QStringLiteral("cbAlg"));
    cbAlg->setGeometry(106, 66, 73, 21);
    cbAlg->addItem(QStringLiteral("On/Off"));
    cbAlg->setCurrentIndex(0);
    cbAlg->setEnabled(false);

    label(tr("LS-Abstand (m):"), this, 8, 98);
    seLen = new QSpinBox(this);
    seLen->setObjectName(QStringLiteral("seLen"));
    seLen->setGeometry(106, 94, 73, 22);
    seLen->setRange(1, 300);
    seLen->setValue(10);

    // The row below the distance is free: the sound group that shares it is always hidden.
    label(tr("Sperrzeit (ms):"), this, 8, 126);
    seDeadTime = new QSpinBox(this);
    seDeadTime->setObjectName(QStringLiteral("seDeadTime"));
    seDeadTime->setGeometry(106, 122, 73, 22);
    seDeadTime->setRange(0, Settings::DeadTimeMax);
    seDeadTime->setValue(0);

    GroupColor = new QGroupBox(tr("Farbe"), this);
    GroupColor->setObjectName(QStringLiteral("GroupColor"));
    GroupColor->setGeometry(188, 4, 76, 146);
    auto colorCombo = [&](const QString& name, const QString& caption, int y) {
        label(caption, GroupColor, 10, y);
        auto* combo = new ToColorCombo(GroupColor);
        combo->setObjectName(name);
        combo->setGeometry(10, y + 15, 56, 22);
        combo->setColorSet(clrPure | clrUser);
        combo->setColorUser(clBlack);
        combo->setDrawColorName(false);
        combo->OnChange = [this](QObject* sender) { cbColor1Change(sender); };
        return combo;
    };
    cbColor0 = colorCombo(QStringLiteral("cbColor0"), tr("Fenster:"), 18);
    cbColor1 = colorCombo(QStringLiteral("cbColor1"), tr("Ziffern:"), 60);
    cbColor2 = colorCombo(QStringLiteral("cbColor2"), tr("ZiffernF:"), 102);

    GroupSound = new QGroupBox(tr("Gong"), this);
    GroupSound->setObjectName(QStringLiteral("GroupSound"));
    GroupSound->setGeometry(8, 122, 172, 28);
    label(tr("Start:"), GroupSound, 6, 0);
    sSoundStart = new QLineEdit(GroupSound);
    sSoundStart->setObjectName(QStringLiteral("sSoundStart"));
    label(tr("Stopp:"), GroupSound, 86, 0);
    sSoundStop = new QLineEdit(GroupSound);
    sSoundStop->setObjectName(QStringLiteral("sSoundStop"));
    GroupSound->hide();

    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setGeometry(104, 160, 75, 25);
    OKBtn->setDefault(true);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    CancelBtn = new QPushButton(tr("Abbrechen"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    CancelBtn->setGeometry(188, 160, 75, 25);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    bCheckPort = new QPushButton(tr("Lichtschranke prüfen"), this);
    bCheckPort->setObjectName(QStringLiteral("bCheckPort"));
    bCheckPort->setGeometry(8, 191, 171, 25);
    bCheckPort->setAutoDefault(false);
    connect(bCheckPort, &QPushButton::clicked, this, [this] {
        if (OnCheckPort)
            OnCheckPort(cbPort->currentText());
    });
    cbAlarm = new QCheckBox(tr("Alarmton"), this);
    cbAlarm->setObjectName(QStringLiteral("cbAlarm"));
    cbAlarm->setGeometry(188, 191, 76, 25);
    cbAlarm->setToolTip(tr("Ein Ton, wenn die Lichtschranke während eines Laufs verloren geht"));
    cbAlarm->setChecked(true);

    label(tr("Sprache:"), this, 8, 226);
    cbLanguage = new QComboBox(this);
    cbLanguage->setObjectName(QStringLiteral("cbLanguage"));
    cbLanguage->setGeometry(106, 222, 158, 21);
    // In the order of platform::Language; each language under its own name.
    cbLanguage->addItems({tr("Wie das System"), QStringLiteral("Deutsch"), QStringLiteral("English")});
    cbLanguage->setToolTip(tr("Gilt ab dem nächsten Start des Programms"));

    lOtherInstance = new QLabel(tr("Vantro läuft noch ein zweites Mal mit diesen Einstellungen. Hier "
                                   "geänderte Werte werden gespeichert; das andere Programm übernimmt "
                                   "sie erst bei seinem nächsten Start."),
                                this);
    lOtherInstance->setObjectName(QStringLiteral("lOtherInstance"));
    lOtherInstance->setWordWrap(true);
    lOtherInstance->setGeometry(8, DialogHeight, 255, OtherInstanceNoteHeight);
    lOtherInstance->hide();

    connect(cbPort, &QComboBox::activated, this, [this] { cbPortChange(); });
    connect(cbDigits, &QComboBox::activated, this, [this] { cbDigitsChange(); });

    FillPortList(scan);
}

void TCfgDialog::FillPortList(const platform::ComPortScanResult& scan, int configuredPort) {
    QSignalBlocker block(cbPort);
    cbPort->clear();
    cbPort->addItem(QStringLiteral("None"));
    std::vector<platform::ComPortInfo> ports = scan.Ports;
    if (configuredPort > 0 && !scan.found(configuredPort)) {
        platform::ComPortInfo missing;
        missing.Number = configuredPort;
        ports.push_back(missing);
        std::sort(ports.begin(), ports.end(),
                  [](const platform::ComPortInfo& a, const platform::ComPortInfo& b) {
                      return a.Number < b.Number;
                  });
    }
    for (const platform::ComPortInfo& p : ports) {
        cbPort->addItem(QStringLiteral("COM%1").arg(p.Number));
        const QString tip = p.Path.empty() ? tr("%1 (belegt oder nicht angeschlossen)")
                                                 .arg(QString::fromStdString(platform::scanPath(p.Number)))
                                           : portToolTip(p);
        cbPort->setItemData(cbPort->count() - 1, tip, Qt::ToolTipRole);
    }
    cbPort->setCurrentIndex(0);
    cbPortChange();
}

void TCfgDialog::setOtherInstanceNote(bool shown) {
    lOtherInstance->setVisible(shown);
    setFixedSize(271, DialogHeight + (shown ? OtherInstanceNoteHeight + 6 : 0));
}

void TCfgDialog::FormShow(int alg, const QString& sound1, const QString& sound2) {
    cbPort->setEnabled(alg >= 0);
    sSoundStart->setText(sound1);
    sSoundStop->setText(sound2);
}

int TCfgDialog::ShowModal() {
    if (QWidget* owner = parentWidget()) {
        const QRect area = owner->window()->frameGeometry();
        move(area.center() - rect().center());
    }
    QScopedValueRollback<bool> showing(m_showing, true);
    return platform::dialogs().execModal(*this);
}

void TCfgDialog::cbPortChange() {
    cbAlg->setEnabled(cbPort->currentIndex() > 0);
}

void TCfgDialog::cbDigitsChange() {
    if (m_preview)
        m_preview(2 - cbDigits->currentIndex());
}

void TCfgDialog::cbColor1Change(QObject* Sender) {
    auto* combo = qobject_cast<ToColorCombo*>(Sender);
    if (!combo)
        return;
    // Setting the user colour fires this handler again; the mark keeps that call from asking twice.
    if (m_showing && combo->Tag() == 0 && combo->UserColorSelected()) {
        const std::optional<QColor> chosen = platform::dialogs().pickColor(ColorToQColor(combo->ColorUser()));
        if (chosen) {
            combo->setTag(1);
            combo->setColorUser(fromQColor(*chosen));
        }
    }
    combo->setTag(0);
}

std::optional<Settings> TCfgDialog::Edit(const Settings& current, const Preview& preview) {
    // The ports are looked for each time: an adapter plugged in after start-up shows up, and the
    // configured port stays listed even when it is busy or gone, so the choice shown is the real one.
    FillPortList(ScanPorts ? ScanPorts() : platform::ComPortScanResult{}, current.Port);
    fill(current);
    const int openingPort = cbPort->currentIndex();
    std::optional<Settings> result;
    {
        const QScopedValueRollback<Preview> previewing(m_preview, preview);
        if (ShowModal() == QDialog::Accepted)
            result = edited(current, openingPort);
    }
    // The preview ends on the resolution that stands: the edited one, or the one before on cancel.
    if (preview)
        preview(result ? result->Acc : current.Acc);
    return result;
}

void TCfgDialog::fill(const Settings& current) {
    cbColor0->setColorValue(current.C[0]);
    cbColor1->setColorValue(current.C[1]);
    cbColor2->setColorValue(current.C[2]);
    cbDigits->setCurrentIndex(current.Acc >= 0 && current.Acc <= 2 ? 2 - current.Acc : -1);
    cbPort->setCurrentIndex(current.Port > 0 ? cbPort->findText(QStringLiteral("COM%1").arg(current.Port))
                                             : 0);
    cbAlg->setEnabled(current.Port > 0);
    cbAlg->setCurrentIndex(current.Alg >= 0 && current.Alg < cbAlg->count() ? current.Alg : -1);
    seLen->setValue(current.LenLuch);
    seDeadTime->setValue(current.DeadTime);
    cbAlarm->setChecked(current.Sound);
    cbLanguage->setCurrentIndex(int(current.UiLanguage));
    FormShow(current.Alg, current.Sound1, current.Sound2);
}

Settings TCfgDialog::edited(const Settings& current, int openingPort) const {
    Settings s = current;
    s.LenLuch = seLen->value();
    s.DeadTime = seDeadTime->value();
    s.C[0] = cbColor0->ColorValue();
    s.C[1] = cbColor1->ColorValue();
    s.C[2] = cbColor2->ColorValue();
    // "Ziffern" and "ZiffernF" are the dim and lit colour of the time row's leading digits, which
    // C3 and C4 draw.
    s.C[3] = s.C[1];
    s.C[4] = s.C[2];
    if (cbDigits->currentIndex() >= 0)
        s.Acc = 2 - cbDigits->currentIndex();
    const int index = cbPort->currentIndex();
    // An unchanged port entry keeps port and mode as they are; "None" keeps the mode.
    if (index != openingPort) {
        if (index == 0) {
            s.Port = 0;
        } else {
            bool ok = false;
            const int number = cbPort->currentText().mid(3).toInt(&ok);
            s.Port = ok && number > 0 && number <= 255 ? uint8_t(number) : 0;
            if (cbAlg->currentIndex() >= 0)
                s.Alg = cbAlg->currentIndex();
        }
    }
    s.Sound1 = sSoundStart->text();
    s.Sound2 = sSoundStop->text();
    s.Sound = cbAlarm->isChecked();
    if (cbLanguage->currentIndex() >= 0)
        s.UiLanguage = platform::Language(cbLanguage->currentIndex());
    return s;
}
