#include "serial/ComTypes.h"

#include "serial/SerialDevice.h"

#include <cerrno>

uint32_t BaudRateValue(TBaudRate rate, int32_t user) {
    static constexpr uint32_t table[] = {110,   300,   600,   1200,  2400,   4800,   9600,  14400,
                                         19200, 38400, 56000, 57600, 115200, 128000, 256000};
    const auto index = static_cast<size_t>(rate);
    if (index < std::size(table))
        return table[index];
    return static_cast<uint32_t>(user);
}

uint32_t EventsToMask(const TEvents& events) {
    // The set's order is not the order of the mask bits.
    static constexpr std::pair<TEvent, uint32_t> map[] = {
        {TEvent::evRxChar, platform::EV_RXCHAR}, {TEvent::evTxEmpty, platform::EV_TXEMPTY},
        {TEvent::evRxFlag, platform::EV_RXFLAG}, {TEvent::evRing, platform::EV_RING},
        {TEvent::evBreak, platform::EV_BREAK},   {TEvent::evCTS, platform::EV_CTS},
        {TEvent::evDSR, platform::EV_DSR},       {TEvent::evError, platform::EV_ERR},
        {TEvent::evRLSD, platform::EV_RLSD},
    };
    uint32_t mask = 0;
    for (const auto& [event, bit] : map) {
        if (events.contains(event))
            mask |= bit;
    }
    return mask;
}

TWatchEndReason WatchEndReasonOf(int error) {
    // What a vanished device reports: a USB adapter gives EIO or ENODEV/ENXIO on its descriptor, a
    // closed descriptor EBADF, the simulator's socket EIO or a reset connection.
    switch (error) {
    case EIO:
    case ENODEV:
    case ENXIO:
    case EBADF:
    case ECONNRESET:
    case EPIPE:
        return TWatchEndReason::DeviceGone;
    default:
        return TWatchEndReason::Error;
    }
}
