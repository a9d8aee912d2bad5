#pragma once

#include <QString>
#include <cstdint>

/// What the five digits of one display row show for a value in thousandths.
struct DigitRowValues {
    int hundreds = 0; ///< may exceed 9 for a whole part of 1000 or more; the digit then shows 0
    int tens = 0;
    int ones = 0;
    int tenths = 0;
    int hundredths = 0;
    bool hundredsLit = false; ///< the hundreds digit is significant (whole part above 99)
    bool tensLit = false;     ///< the tens digit is significant (whole part above 9)
};

/// Splits `value` (thousandths; truncated, never rounded) into the digits of a display row.
DigitRowValues SplitDigitValue(int64_t value);

/// Size of the display panels, in pixels.
struct DisplayMetrics {
    static constexpr int OwnerWidth = 288;  ///< the time row's outer panel
    static constexpr int PanelHeight = 122; ///< both rows
    static constexpr int BevelWidth = 5;    ///< added to the right-most visible element
    static constexpr int CommaLeft = 160;   ///< left edge of the comma label
    static constexpr int Digit8Left = 232;  ///< left edge of the hundredths digit
    static constexpr int DigitLefts[5] = {8, 56, 104, 184, 232};
    static constexpr int DigitTop = 3;
    static constexpr int DigitWidth = 45;
    static constexpr int DigitHeight = 89;
};

/// The shape of the time row for a display resolution.
struct TimeRowShape {
    bool digit7Visible = true; ///< tenths
    bool digit8Visible = true; ///< hundredths
    int panelWidth = DisplayMetrics::OwnerWidth;
    int panelLeft = 0;
    int lab100Left = 0;
    QString lab100Caption;
    bool lab100Visible = true; ///< also the comma's visibility
};

/// The time row for resolution `acc` (2 hundredths, 1 tenths, 0 seconds). `currentWidth` is kept
/// for any other `acc`; `ownerWidth` and `panelLeftWidth` are the widths the row is centred in and
/// the unit label is placed from.
TimeRowShape ComputeTimeRowShape(int acc, int currentWidth, int ownerWidth = DisplayMetrics::OwnerWidth,
                                 int panelLeftWidth = DisplayMetrics::OwnerWidth);
