#pragma once

#include "core/Colors.h"

#include <QString>

#include <array>
#include <cstdint>

namespace platform {
class Registry;
}

/// The program's settings as its registry key keeps them, with their defaults. Reading follows
/// the stored order and stops at the first integer that is missing or of another type; writing
/// stores every value in the order the program writes them.
class Settings {
public:
    static constexpr int DefaultLeft = 165;
    static constexpr int DefaultTop = 96;
    static constexpr int DefaultWidth = 831;
    static constexpr int DefaultHeight = 513;
    static constexpr int DefaultAcc = 2;
    static constexpr int DefaultLenLuch = 10;
    static constexpr std::array<TColor, 5> DefaultColors = {clBlack, clDimDigit, clYellow, clDimDigit,
                                                            clYellow};

    /// Light-barrier port number, 0 = none.
    uint8_t Port = 0;
    /// Light-barrier mode.
    int Alg = 0;
    /// Main window bounds.
    int Left = DefaultLeft;
    int Top = DefaultTop;
    int Width = DefaultWidth;
    int Height = DefaultHeight;
    /// The sound flag, carried through.
    bool Sound = true;
    /// Display resolution: 2 hundredths, 1 tenths, 0 whole seconds.
    int Acc = DefaultAcc;
    /// Sound files of START and STOP, carried through.
    QString Sound1 = DefaultSound1();
    QString Sound2 = DefaultSound2();
    /// Display colours C0 ... C4.
    std::array<TColor, 5> C = DefaultColors;
    /// Light-barrier distance in metres.
    int LenLuch = DefaultLenLuch;

    /// The system folder the default sound names are built from.
    static QString WindowsFolder();
    static QString DefaultSound1();
    static QString DefaultSound2();

    /// "\Software\" followed by the application title.
    static QString KeyPath();

    /// How a reading went.
    struct ReadResult {
        /// True when the key existed and was opened.
        bool KeyFound = false;
        /// Values taken from the key (a missing or empty string counts as not taken).
        int ValuesRead = 0;
        /// The value whose absence or type ended the reading; empty when it ran to the end.
        QString StoppedAt;
        /// Set when the settings file could not be read as a registry export and was moved
        /// aside: the message for the operator, naming both files.
        QString Problem;
    };

    /// Reads the values from `registry` (the key is opened without creating it; without it
    /// every value keeps its default). A settings file that cannot be read as a registry export
    /// is moved aside under a time-stamped name, and `Problem` says so; the values keep their
    /// defaults. Also sets the device overrides "ComDevice<n>" of the key, and offers the
    /// simulator's default socket as its port when nothing else names that port.
    ReadResult Read(platform::Registry& registry);

    /// Writes every value (creating the key if needed). False when the key cannot be opened or a
    /// value cannot be written; the values written before the failure stay written.
    bool Write(platform::Registry& registry) const;

    bool operator==(const Settings&) const = default;
};
