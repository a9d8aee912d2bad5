#pragma once

#include <string>
#include <vector>

namespace platform {

/// The number n of a port name "COMn" (the whole decimal number, any case of "COM"),
/// or 0 when the name has another form.
int comPortNumber(const std::string& name);

/// The device path of COMn: the override when one is set, else the table
/// COM1-4 = /dev/ttyS0-3, COM5-12 = /dev/ttyUSB0-7, COM13-16 = /dev/ttyACM0-3.
/// Empty when n has neither.
std::string comDevicePath(int n);

/// The device path of the port called `name` ("COM3"); empty when the name has another form
/// or its number no path.
std::string comPortPath(const std::string& name);

/// The numbers n that have an override, ascending.
std::vector<int> comDeviceOverrideNumbers();

/// Makes COMn resolve to `path` (a /dev/serial/by-id link, the simulator's socket, ...);
/// an empty path removes the override. Any thread.
void setComDeviceOverride(int n, const std::string& path);

/// Removes every override.
void clearComDeviceOverrides();

} // namespace platform
