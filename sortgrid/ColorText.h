#pragma once

#include "core/Colors.h"

#include <QString>

/// The text form of a colour: its name where it has one ("clBlack", "clBtnFace"), else "$" followed by
/// eight upper-case hexadecimal digits ("$00404040").
QString ColorToString(TColor Color);

/// Reads a colour back from a name (case ignored), "$" plus hexadecimal digits, "0x" plus hexadecimal
/// digits or a decimal number. Anything else raises EConvertError.
TColor StringToColor(const QString& S);
