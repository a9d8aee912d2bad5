#include "serial/SerialPortNames.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <mutex>

namespace platform {

namespace {
std::mutex g_mutex;
std::map<int, std::string> g_overrides;
} // namespace

int comPortNumber(const std::string& name) {
    if (name.size() < 4 || name.size() > 9)
        return 0;
    for (int i = 0; i < 3; ++i) {
        if (std::toupper(static_cast<unsigned char>(name[i])) != "COM"[i])
            return 0;
    }
    int n = 0;
    for (size_t i = 3; i < name.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(name[i])))
            return 0;
        n = n * 10 + (name[i] - '0');
    }
    return n;
}

std::string comDevicePath(int n) {
    {
        std::lock_guard lock(g_mutex);
        auto it = g_overrides.find(n);
        if (it != g_overrides.end())
            return it->second;
    }
    if (n >= 1 && n <= 4)
        return "/dev/ttyS" + std::to_string(n - 1);
    if (n >= 5 && n <= 12)
        return "/dev/ttyUSB" + std::to_string(n - 5);
    if (n >= 13 && n <= 16)
        return "/dev/ttyACM" + std::to_string(n - 13);
    return {};
}

std::string comPortPath(const std::string& name) {
    const int n = comPortNumber(name);
    return n ? comDevicePath(n) : std::string();
}

std::vector<int> comDeviceOverrideNumbers() {
    std::lock_guard lock(g_mutex);
    std::vector<int> numbers;
    for (const auto& entry : g_overrides)
        numbers.push_back(entry.first);
    return numbers;
}

void setComDeviceOverride(int n, const std::string& path) {
    std::lock_guard lock(g_mutex);
    if (path.empty())
        g_overrides.erase(n);
    else
        g_overrides[n] = path;
}

void clearComDeviceOverrides() {
    std::lock_guard lock(g_mutex);
    g_overrides.clear();
}

} // namespace platform
