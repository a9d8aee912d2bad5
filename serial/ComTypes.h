#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>

class QObject;

/// Line speed choice; the ordinal is what a stored form holds.
enum class TBaudRate : uint8_t {
    br110,
    br300,
    br600,
    br1200,
    br2400,
    br4800,
    br9600,
    br14400,
    br19200,
    br38400,
    br56000,
    br76500, ///< selects 57600 baud, whatever its name says
    br115200,
    br128000,
    br256000,
    brUser, ///< the port's BaudRateUser
};

/// Parity scheme; the ordinal goes unchanged into the line settings.
enum class TParity : uint8_t { prNone, prOdd, prEven, prMark, prSpace };

/// Stop bits; the ordinal goes unchanged into the line settings.
enum class TStopBits : uint8_t { sbOneStopBit, sbOne5StopBits, sbTwoStopBits };

/// Handshake.
enum class TFlowControl : uint8_t { fcNone, fcRtsCts, fcXonXoff };

/// A serial event the port can subscribe to.
enum class TEvent : uint8_t { evRxChar, evTxEmpty, evRxFlag, evRing, evBreak, evCTS, evDSR, evError, evRLSD };

/// A set of TEvent members (bit n = member with ordinal n).
class TEvents {
public:
    /// The empty set.
    constexpr TEvents() = default;
    /// The set of the given members.
    constexpr TEvents(std::initializer_list<TEvent> members) {
        for (TEvent e : members)
            m_bits |= bit(e);
    }
    /// All nine members.
    static constexpr TEvents All() {
        TEvents all;
        all.m_bits = 0x1FF;
        return all;
    }
    /// Whether `e` is in the set.
    constexpr bool contains(TEvent e) const { return m_bits & bit(e); }
    /// Adds `e`.
    constexpr TEvents& operator<<(TEvent e) {
        m_bits |= bit(e);
        return *this;
    }
    /// Removes `e`.
    constexpr TEvents& remove(TEvent e) {
        m_bits &= static_cast<uint16_t>(~bit(e));
        return *this;
    }
    /// Whether the set is empty.
    constexpr bool empty() const { return m_bits == 0; }
    /// The set as bits by ordinal.
    constexpr uint16_t bits() const { return m_bits; }
    constexpr bool operator==(const TEvents&) const = default;

private:
    static constexpr uint16_t bit(TEvent e) { return static_cast<uint16_t>(1u << static_cast<unsigned>(e)); }
    uint16_t m_bits = 0;
};

/// The speed in baud that `rate` selects; `user` for brUser.
uint32_t BaudRateValue(TBaudRate rate, int32_t user);

/// The EV_ event mask that subscribes to `events`, member by member.
uint32_t EventsToMask(const TEvents& events);

/// Handler of a received character: Sender and the bytes waiting in the input queue.
using TRxCharEvent = std::function<void(QObject* Sender, int InQue)>;

/// Why a port's watcher ended by itself (a stop through Close() is not reported).
enum class TWatchEndReason : uint8_t {
    DeviceGone, ///< the device went away: unplugged adapter, simulator ended
    Error,      ///< the wait failed for another reason
};

/// The end of a watcher as the GUI thread learns it: a plain value.
struct TWatchEnd {
    TWatchEndReason Reason = TWatchEndReason::DeviceGone;
    int Error = 0;     ///< the errno value the wait ended with
    uint32_t Tick = 0; ///< tick counter when the wait ended

    bool operator==(const TWatchEnd&) const = default;
};

/// Handler of a modem line's change: `ModemStatus` is the MS_ modem-status word as it was at the
/// edge, `Tick` the tick counter read when the watcher's wait ended (the edge's moment).
using TModemEvent = std::function<void(QObject* Sender, uint32_t ModemStatus, uint32_t Tick)>;

/// Handler of a watcher's end.
using TWatchEndEvent = std::function<void(QObject* Sender, const TWatchEnd& End)>;

/// The reason a failed wait with errno `error` stands for.
TWatchEndReason WatchEndReasonOf(int error);
