#include "app/run/DisplayLayout.h"

DigitRowValues SplitDigitValue(int64_t value) {
    if (value < 0)
        value = 0;
    const int64_t w = value / 1000;
    const int64_t f = (value / 10) % 100;
    DigitRowValues d;
    // Far beyond the display's range the hundreds value is pinned so it stays an overflow.
    d.hundreds = static_cast<int>(w / 100 > 1000 ? 1000 : w / 100);
    d.hundredsLit = w > 99;
    d.tens = static_cast<int>((w / 10) % 10);
    d.tensLit = w > 9;
    d.ones = static_cast<int>(w % 10);
    d.tenths = static_cast<int>(f / 10);
    d.hundredths = static_cast<int>(f % 10);
    return d;
}

TimeRowShape ComputeTimeRowShape(int acc, int currentWidth, int ownerWidth, int panelLeftWidth) {
    TimeRowShape s;
    s.digit8Visible = acc == 2;
    s.digit7Visible = acc > 0;
    switch (acc) {
    case 0:
        s.panelWidth = DisplayMetrics::CommaLeft + DisplayMetrics::BevelWidth;
        break;
    case 1:
        s.panelWidth = DisplayMetrics::Digit8Left + DisplayMetrics::BevelWidth;
        break;
    case 2:
        s.panelWidth = ownerWidth;
        break;
    default:
        s.panelWidth = currentWidth;
        break;
    }
    s.panelLeft = (ownerWidth - s.panelWidth) / 2;
    s.lab100Left = panelLeftWidth - 115 + 20 * acc;
    s.lab100Caption = QString::number((acc - 1) * 90 + 10);
    s.lab100Visible = acc > 0;
    return s;
}
