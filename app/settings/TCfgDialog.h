#pragma once

#include "serial/ComPortScan.h"
#include "settings/Settings.h"

#include <QDialog>

#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class ToColorCombo;

/// The settings dialog "Einstellungen": resolution, light-barrier port and mode, distance, dead
/// time, three display colours and the two carried sound file names. It takes the settings as a
/// value and gives back the edited value; putting them into effect is the window's.
class TCfgDialog : public QDialog {
    Q_OBJECT
public:
    /// Builds the 271 x 224 dialog and fills the port list from `scan`.
    explicit TCfgDialog(QWidget* parent = nullptr, const platform::ComPortScanResult& scan = {});

    /// Fills `cbPort`: "None", then "COM"n for every port of `scan` and for `configuredPort`
    /// (when not 0) even if the scan did not find it, ascending; each port entry carries its
    /// device path as a tooltip.
    void FillPortList(const platform::ComPortScanResult& scan, int configuredPort = 0);

    /// The dialog's opening step: `cbPort` enabled exactly when `alg` >= 0; the hidden sound
    /// fields receive the two names.
    void FormShow(int alg, const QString& sound1, const QString& sound2);

    /// Shows or hides the note below the buttons that another instance of the program runs with
    /// the same settings; the dialog grows by the note's height while it is shown.
    void setOtherInstanceNote(bool shown);

    /// Shows the dialog modally, centred on its parent; QDialog::Accepted when confirmed with OK.
    int ShowModal();

    /// Called with a resolution (2 hundredths, 1 tenths, 0 whole seconds) to show it for a moment.
    using Preview = std::function<void(int acc)>;
    /// Shows the dialog filled from `current` (the port list scanned anew) and gives back the
    /// settings as edited when confirmed with OK, nothing when cancelled. While it is open each
    /// resolution chosen goes to `preview`; at the end the one that stands does (`current`'s after
    /// a cancel, so the preview is undone). The port and mode change only when another port entry was chosen;
    /// "Ziffern" and "ZiffernF" set the colours the time row's leading digits are drawn in as well.
    std::optional<Settings> Edit(const Settings& current, const Preview& preview = {});

    /// True while the dialog is shown (from ShowModal until it returns).
    bool Showing() const { return m_showing; }

    /// `cbAlg` enabled exactly when a port (not "None") is chosen.
    void cbPortChange();
    /// Sends the chosen resolution to the preview of the dialog's Edit.
    void cbDigitsChange();
    /// Shared by the three colour combos: choosing the user entry opens the colour picker; a
    /// confirmed colour becomes the combo's user colour.
    void cbColor1Change(QObject* Sender);

    /// "Lichtschranke prüfen" with the port chosen in `cbPort` ("COM5", "None").
    std::function<void(const QString& port)> OnCheckPort;
    /// Scans the serial ports each time the settings are opened (the system's ports by default).
    std::function<platform::ComPortScanResult()> ScanPorts;

    QComboBox* cbDigits = nullptr;
    QComboBox* cbPort = nullptr;
    QComboBox* cbAlg = nullptr;
    QSpinBox* seLen = nullptr;
    QSpinBox* seDeadTime = nullptr;    ///< "Sperrzeit (ms):", 0..5000
    QPushButton* bCheckPort = nullptr; ///< "Lichtschranke prüfen"
    QCheckBox* cbAlarm = nullptr;      ///< "Alarmton": sound when the barrier is lost during a run
    QComboBox* cbLanguage = nullptr;   ///< "Sprache": as the desktop's, German or English
    ToColorCombo* cbColor0 = nullptr;
    ToColorCombo* cbColor1 = nullptr;
    ToColorCombo* cbColor2 = nullptr;
    QGroupBox* GroupColor = nullptr; ///< "Farbe"
    QGroupBox* GroupSound = nullptr; ///< "Gong", hidden
    QLineEdit* sSoundStart = nullptr;
    QLineEdit* sSoundStop = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    QLabel* lOtherInstance = nullptr; ///< the note that another instance runs, hidden by default

private:
    /// Fills the controls from `current`.
    void fill(const Settings& current);
    /// `current` with the controls' choices; `openingPort` is the port entry shown when it opened.
    Settings edited(const Settings& current, int openingPort) const;

    bool m_showing = false;
    Preview m_preview;
};
