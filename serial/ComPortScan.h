#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

/// How probing one port's device went.
enum class PortProbe {
    Found,      ///< a character device that opened and is not held, or the simulator's socket
    Missing,    ///< no such file, or a device that cannot be opened (no hardware behind it)
    Busy,       ///< held by this or another program
    NotADevice, ///< a file of another kind
};

/// One port a scan found.
struct ComPortInfo {
    /// n of "COMn".
    int Number = 0;
    /// The device path that was probed.
    std::string Path;
    /// Its name below serial/by-id (the full path of that link), for a USB adapter; else empty.
    std::string ById;
    /// True for the light-barrier simulator's socket.
    bool Simulator = false;
};

/// What a scan found.
struct ComPortScanResult {
    /// Bit n - 1 set for each COMn found among COM1..COM16; the upper 16 bits hold the highest n
    /// found (also one above 16 reached through an override), 0 when none.
    uint32_t Word = 0;
    /// The ports found, ascending by number.
    std::vector<ComPortInfo> Ports;

    /// True when COMn was found.
    bool found(int n) const;
};

/// Looks at the device `path` without disturbing it: opened non-blocking, without becoming the
/// controlling terminal, and closed again; a port another open device holds (lock or exclusive
/// mode) is busy. A socket is never connected to: it counts unless this program holds it.
PortProbe probeComPort(const std::string& path);

/// Scans COM1..COM16 through the name table plus every COMn that has an override. The table's
/// paths, and the serial/by-id links, are taken below `deviceRoot` instead of /dev.
ComPortScanResult scanComPorts(const std::string& deviceRoot = "/dev");

/// The device path of COMn as the scan looks at it, below `deviceRoot`.
std::string scanPath(int n, const std::string& deviceRoot = "/dev");

/// The full path of the serial/by-id link below `deviceRoot` that leads to `path`; empty if none.
std::string serialByIdName(const std::string& path, const std::string& deviceRoot = "/dev");

} // namespace platform
