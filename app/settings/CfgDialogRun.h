#pragma once

#include "core/Colors.h"

#include <QString>

#include <cstdint>

class TCfgDialog;

/// What opening the settings needs from the main window.
class CfgDialogHost {
public:
    virtual ~CfgDialogHost() = default;
    /// The stored display colour Cn (n = 0..4).
    virtual TColor Color(int n) const = 0;
    virtual void setColor(int n, TColor c) = 0;
    virtual int Acc() const = 0;
    virtual void setAcc(int acc) = 0;
    virtual int LenLuch() const = 0;
    virtual void setLenLuch(int metres) = 0;
    /// The light barrier's dead time in ms.
    virtual int DeadTime() const = 0;
    virtual void setDeadTime(int ms) = 0;
    virtual uint8_t Port() const = 0;
    virtual void setPort(uint8_t port) = 0;
    virtual int Alg() const = 0;
    virtual void setAlg(int alg) = 0;
    virtual QString Sound1() const = 0;
    virtual QString Sound2() const = 0;
    virtual void setSounds(const QString& sound1, const QString& sound2) = 0;
    /// Whether the alarm sounds when the light barrier is lost during a run.
    virtual bool Alarm() const { return true; }
    virtual void setAlarm(bool) {}
    /// Opens the light barrier's port; throws when it cannot be opened.
    virtual void OpenPort() = 0;
    virtual void ClosePort() = 0;
    /// True while a run is being timed.
    virtual bool ClockRunning() const = 0;
    virtual void ShowDigits(int row, int64_t value) = 0;
    virtual void ApplyResolution(int acc) = 0;
    /// Gives the keyboard focus to the window's left panel.
    virtual void FocusLeftPanel() = 0;
    /// Stores every setting now, so a crash later does not lose what OK confirmed.
    virtual void SaveSettings() = 0;
    /// True when another running instance of the program uses the same settings.
    virtual bool OtherInstanceRunning() { return false; }
};

/// Opens the settings dialog filled from `host` (with a note when another instance runs) and, when it is
/// confirmed with OK, puts the choices into effect: distance, dead time, colours, a zero time row when no run
/// is under way, resolution, port and mode (the port is closed and opened only when the port choice changed),
/// sound names, and the settings are saved. Confirmed or not, the stored resolution is applied again and the
/// focus goes to the left panel. An error opening the port is raised after all that.
void RunCfgDialog(TCfgDialog& dialog, CfgDialogHost& host);
