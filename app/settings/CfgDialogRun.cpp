#include "app/settings/CfgDialogRun.h"

#include "app/settings/TCfgDialog.h"
#include "controls/ToColorCombo.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QScopeGuard>
#include <QSpinBox>

#include <exception>

void RunCfgDialog(TCfgDialog& dialog, CfgDialogHost& host) {
    // The ports are looked for each time: an adapter plugged in after start-up shows up, and the
    // configured port stays listed even when it is busy or gone, so the choice shown is the real one.
    dialog.FillPortList(dialog.ScanPorts ? dialog.ScanPorts() : platform::ComPortScanResult{}, host.Port());

    dialog.cbColor0->setColorValue(host.Color(0));
    dialog.cbColor1->setColorValue(host.Color(1));
    dialog.cbColor2->setColorValue(host.Color(2));
    const int acc = host.Acc();
    dialog.cbDigits->setCurrentIndex(acc >= 0 && acc <= 2 ? 2 - acc : -1);
    dialog.cbPort->setCurrentIndex(
        host.Port() > 0 ? dialog.cbPort->findText(QStringLiteral("COM%1").arg(host.Port())) : 0);
    dialog.cbAlg->setEnabled(host.Port() > 0);
    dialog.cbAlg->setCurrentIndex(host.Alg() >= 0 && host.Alg() < dialog.cbAlg->count() ? host.Alg() : -1);
    const int openingIndex = dialog.cbPort->currentIndex();
    dialog.seLen->setValue(host.LenLuch());
    dialog.seDeadTime->setValue(host.DeadTime());
    dialog.cbAlarm->setChecked(host.Alarm());
    dialog.FormShow(host.Alg(), host.Sound1(), host.Sound2());
    dialog.setOtherInstanceNote(host.OtherInstanceRunning());

    dialog.OnPreviewResolution = [&host](int previewAcc) { host.ApplyResolution(previewAcc); };
    const auto unbind = qScopeGuard([&dialog] { dialog.OnPreviewResolution = nullptr; });

    std::exception_ptr openError;
    if (dialog.ShowModal() == QDialog::Accepted) {
        host.setLenLuch(dialog.seLen->value());
        host.setDeadTime(dialog.seDeadTime->value());
        host.setAlarm(dialog.cbAlarm->isChecked());
        host.setColor(0, dialog.cbColor0->ColorValue());
        host.setColor(1, dialog.cbColor1->ColorValue());
        host.setColor(2, dialog.cbColor2->ColorValue());
        if (!host.ClockRunning())
            host.ShowDigits(0, 0);
        if (dialog.cbDigits->currentIndex() >= 0)
            host.setAcc(2 - dialog.cbDigits->currentIndex());
        const int index = dialog.cbPort->currentIndex();
        // An unchanged port entry keeps port and mode as they are.
        if (index != openingIndex) {
            host.ClosePort();
            if (index == 0) {
                host.setPort(0);
            } else {
                bool ok = false;
                const int number = dialog.cbPort->currentText().mid(3).toInt(&ok);
                host.setPort(ok && number > 0 && number <= 255 ? uint8_t(number) : 0);
                if (dialog.cbAlg->currentIndex() >= 0)
                    host.setAlg(dialog.cbAlg->currentIndex());
                if (host.Port() > 0) {
                    try {
                        host.OpenPort();
                    } catch (...) {
                        openError = std::current_exception();
                    }
                }
            }
        }
        host.setSounds(dialog.sSoundStart->text(), dialog.sSoundStop->text());
        host.SaveSettings();
    }
    host.ApplyResolution(host.Acc());
    host.FocusLeftPanel();
    if (openError)
        std::rethrow_exception(openError);
}
