#pragma once

#include "core/Colors.h"
#include "serial/ComTypes.h"

#include <QString>
#include <QTime>
#include <cstdint>

/// Where the light barrier's link stands.
enum class BarrierState {
    NoPort,       ///< no port chosen
    Connected,    ///< the port is open and watched
    Lost,         ///< the device went away while connected; tried again every second
    Reconnecting, ///< the port could not be opened; tried again every second
};

/// The light barrier's link without any window: its state, when the chosen port is to be tried
/// again, and the words, colours and tooltip the status shows. The caller opens the port and
/// reports the outcome; ticks are the tick counter's and may wrap.
class BarrierLink {
public:
    /// Time between two attempts to open a port that is gone.
    static constexpr uint32_t RetryIntervalMs = 1000;

    /// The current state.
    BarrierState State() const { return m_state; }
    /// The port chosen: `name` ("COM3", empty for none) and the device path behind it. Forgets
    /// everything about the port before, so a port no longer chosen is not tried again.
    void PortChosen(const QString& name, const QString& devicePath);
    /// The chosen port was opened.
    void Opened();
    /// Opening the chosen port at `tick` failed with `error`; it is tried again from then on.
    void OpenFailed(int error, uint32_t tick);
    /// The watcher ended by itself at `timeOfDay`; the port is tried again from then on.
    void WatcherEnded(const TWatchEnd& end, const QTime& timeOfDay);
    /// Whether the port is being tried again.
    bool Retrying() const { return m_state == BarrierState::Lost || m_state == BarrierState::Reconnecting; }
    /// Whether the next attempt is due at `now`.
    bool RetryDue(uint32_t now) const;
    /// Local time at which the device went away (Lost).
    QTime LostSince() const { return m_lostSince; }

    /// The status in words.
    QString Text() const;
    /// The status's background colour.
    TColor Color() const;
    /// The status's text colour.
    TColor TextColor() const;
    /// The tooltip: the device path, and the last error while retrying.
    QString ToolTip() const;

private:
    BarrierState m_state = BarrierState::NoPort;
    QString m_name;
    QString m_path;
    QTime m_lostSince;
    uint32_t m_lastAttempt = 0;
    int m_lastError = 0;
};
