#include "app/window/TFormMain.h"

#include "app/run/DisplayLayout.h"
#include "app/run/RunTexts.h"
#include "controls/TDigit.h"

#include <QFrame>
#include <QLabel>

std::array<TDigit*, 5> TFormMain::rowDigits(int row) const {
    if (row == 0)
        return {Digit4, Digit5, Digit6, Digit7, Digit8};
    return {Digit14, Digit15, Digit16, Digit17, Digit18};
}

void TFormMain::ShowDigits(int row, int64_t value) {
    const DigitRowValues v = SplitDigitValue(value);
    const TColor dim = row == 0 ? m_settings.C[3] : clDimDigit;
    const TColor lit = row == 0 ? m_settings.C[4] : clLime;
    const std::array<TDigit*, 5> d = rowDigits(row);
    d[0]->setValue(v.hundreds);
    d[0]->setColorOn(v.hundredsLit ? lit : dim);
    d[1]->setValue(v.tens);
    d[1]->setColorOn(v.tensLit ? lit : dim);
    d[2]->setValue(v.ones);
    d[3]->setValue(v.tenths);
    d[4]->setValue(v.hundredths);
}

void TFormMain::ApplyResolution(int acc) {
    const TimeRowShape shape = ComputeTimeRowShape(acc, PanelTimer->width(), PanelTimerOwner->width());
    Digit8->setVisible(shape.digit8Visible);
    Digit7->setVisible(shape.digit7Visible);
    PanelTimer->setGeometry(shape.panelLeft, 0, shape.panelWidth, PanelTimer->height());
    Lab_100->setText(shape.lab100Caption);
    Lab_100->adjustSize();
    Lab_100->move(shape.lab100Left, Lab_100->y());
    Lab_100->setVisible(shape.lab100Visible);
    LabSec->setVisible(shape.lab100Visible);
}

QString TFormMain::FormatRunTime(int64_t ms) const {
    return ::FormatRunTime(ms, m_settings.Acc);
}
