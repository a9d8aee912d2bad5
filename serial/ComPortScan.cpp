#include "serial/ComPortScan.h"

#include "serial/SerialPortNames.h"
#include "serial/SerialSimDevice.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace platform {

namespace {

std::string realPath(const std::string& path) {
    char buffer[PATH_MAX];
    return ::realpath(path.c_str(), buffer) ? std::string(buffer) : std::string();
}

} // namespace

bool ComPortScanResult::found(int n) const {
    return std::any_of(Ports.begin(), Ports.end(), [n](const ComPortInfo& p) { return p.Number == n; });
}

PortProbe probeComPort(const std::string& path) {
    struct stat st {};
    if (path.empty() || ::stat(path.c_str(), &st) != 0)
        return PortProbe::Missing;
    if (S_ISSOCK(st.st_mode))
        return SerialSimDevice::isHeld(path) ? PortProbe::Busy : PortProbe::Found;
    if (!S_ISCHR(st.st_mode))
        return PortProbe::NotADevice;
    // Non-blocking: a port without carrier or a device that does not answer must not stop the scan.
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == EBUSY || errno == EACCES || errno == EPERM ? PortProbe::Busy : PortProbe::Missing;
    PortProbe result = PortProbe::Found;
    struct stat opened {};
    if (::fstat(fd, &opened) != 0 || !S_ISCHR(opened.st_mode)) {
        result = PortProbe::NotADevice;
    } else {
        // An open port holds the advisory lock; root gets past the tty's exclusive mode, so ask for it.
        int exclusive = 0;
        if (::ioctl(fd, TIOCGEXCL, &exclusive) == 0 && exclusive)
            result = PortProbe::Busy;
        else if (::flock(fd, LOCK_EX | LOCK_NB) != 0)
            result = PortProbe::Busy;
        else
            ::flock(fd, LOCK_UN);
    }
    ::close(fd);
    return result;
}

std::string scanPath(int n, const std::string& deviceRoot) {
    const auto overrides = comDeviceOverrideNumbers();
    std::string path = comDevicePath(n);
    const bool overridden = std::find(overrides.begin(), overrides.end(), n) != overrides.end();
    if (!overridden && path.rfind("/dev/", 0) == 0)
        path = deviceRoot + path.substr(4);
    return path;
}

std::string serialByIdName(const std::string& path, const std::string& deviceRoot) {
    const std::string target = realPath(path);
    if (target.empty())
        return {};
    const std::string folder = deviceRoot + "/serial/by-id";
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return {};
    std::vector<std::string> names;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..")
            names.push_back(name);
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
        const std::string link = folder + "/" + name;
        if (link != path && realPath(link) == target)
            return link;
    }
    return {};
}

ComPortScanResult scanComPorts(const std::string& deviceRoot) {
    std::vector<int> numbers;
    for (int n = 1; n <= 16; ++n)
        numbers.push_back(n);
    for (int n : comDeviceOverrideNumbers()) {
        if (n > 16 && n <= 0xFFFF)
            numbers.push_back(n);
    }
    ComPortScanResult result;
    for (int n : numbers) {
        const std::string path = scanPath(n, deviceRoot);
        if (probeComPort(path) != PortProbe::Found)
            continue;
        ComPortInfo info;
        info.Number = n;
        info.Path = path;
        struct stat st {};
        info.Simulator = ::stat(path.c_str(), &st) == 0 && S_ISSOCK(st.st_mode);
        if (!info.Simulator)
            info.ById = serialByIdName(path, deviceRoot);
        result.Ports.push_back(info);
        if (n <= 16)
            result.Word |= 1u << (n - 1);
        result.Word = (result.Word & 0xFFFFu) | (uint32_t(n) << 16);
    }
    return result;
}

} // namespace platform
