#pragma once

#include "core/Colors.h"
#include "platform/Locale.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

namespace platform {
class Registry;
}

/// The program's settings as its registry key keeps them, with their defaults. Reading checks each
/// value on its own against its type and range; writing stores the values in the order the
/// program writes them, or only those that changed.
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
    /// Light-barrier distance in metres, LenLuchMin..LenLuchMax.
    int LenLuch = DefaultLenLuch;
    static constexpr int LenLuchMin = 1;
    static constexpr int LenLuchMax = 300;
    /// The largest window edge or extent read (the window system's coordinate limit).
    static constexpr int MaxWindowExtent = 32767;
    /// Largest dead time in milliseconds.
    static constexpr int DeadTimeMax = 5000;
    /// Dead time after a light-barrier pass that ran an action, 0..DeadTimeMax ms; 0 is off.
    int DeadTime = 0;
    /// The event file last open; the event of the day is opened again from it at start.
    QString EventFile;
    /// The start number proposed last, StartNumberMin..StartNumberMax.
    int StartNumber = 1;
    static constexpr int StartNumberMin = 1;
    static constexpr int StartNumberMax = 65535;
    /// The live results server is switched on ("Live-Ergebnisse").
    bool LiveOn = false;
    /// The live results server's port, 1..65535.
    static constexpr int DefaultLivePort = 8080;
    int LivePort = DefaultLivePort;
    /// The interface's language ("Sprache"); takes effect at the next start.
    platform::Language UiLanguage = platform::Language::System;

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
        /// The values of the wrong type or out of range, in reading order; they keep their defaults.
        QStringList Invalid;
        /// The message for the operator, when there is something to say: the settings file could
        /// not be read and was moved aside (naming both files), or values were invalid (naming
        /// them and the file).
        QString Problem;
    };

    /// Reads the values from `registry` (the key is opened without creating it; without it
    /// every value keeps its default). A value of the wrong type or out of range keeps its default
    /// and the others are read all the same. A settings file that cannot be read as a registry
    /// export (not a regular file, larger than the limit, or not parsing) is moved aside under a
    /// time-stamped name; the values keep their defaults. `Problem` tells of either. Also sets the device
    /// overrides "ComDevice<n>" of the key, and offers the simulator's default socket as its port when
    /// nothing else names that port.
    ReadResult Read(platform::Registry& registry);

    /// Only the interface's language, read before the window is made (System when the key or the
    /// value is missing or invalid; Read names an invalid value).
    static platform::Language ReadLanguage(platform::Registry& registry);

    /// Writes the values (creating the key if needed). With `stored` (the values as read or last
    /// written) only those that differ from it, those named in `alsoWrite` and those the file
    /// lacks are written, so values another instance stored meanwhile survive; without it every
    /// value. False when the key cannot be opened or a value cannot be written; the values
    /// written before the failure stay written.
    bool Write(platform::Registry& registry, const Settings* stored = nullptr,
               const QStringList& alsoWrite = {}) const;

    bool operator==(const Settings&) const = default;
};
