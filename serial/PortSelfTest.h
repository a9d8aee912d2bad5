#pragma once

#include <QString>

#include <functional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace platform {

/// How bad one finding of the port self-test is.
enum class FindingSeverity {
    Ok,      ///< checked and fine, or plain information
    Warning, ///< timing works, but less well than it could
    Error,   ///< timing will not work until this is fixed
};

/// One item the self-test found, in the interface's language for the operator.
struct PortFinding {
    FindingSeverity Severity = FindingSeverity::Ok;
    /// What was found and, where something is wrong, how to fix it.
    QString Text;
};

/// The system the self-test looks at: /dev, /sys and /proc below `Root`, and the user who wants to
/// open the port. Tests point it at a fake tree and a made-up user.
struct PortSelfTestEnvironment {
    /// Prefix of /dev, /sys and /proc; empty for the real system.
    std::string Root;
    /// The user's id and the groups the running session has.
    uid_t Uid = 0;
    std::vector<gid_t> Gids;
    /// The login name, for the command that adds the user to a group.
    std::string UserName;
    /// This program's process id, so a port it holds itself is told apart.
    pid_t OwnPid = 0;
    /// The name of group `gid`; empty when unknown.
    std::function<std::string(gid_t)> GroupName;

    /// The real system and the user running this program.
    static PortSelfTestEnvironment current();
};

/// The udev rule file shipped with the program that sets the latency timer of USB serial adapters
/// to 1 ms; installed to lib/udev/rules.d.
inline constexpr const char* LatencyRuleFile = "60-vantro-serial-latency.rules";

/// Checks the port called `portName` ("COM5", resolved through the name table and its overrides):
/// whether its device exists and what it is, whether the user may open it, whether another
/// program holds it and, for USB adapters, their latency timer. One finding per item, in that
/// order; the first error that makes the rest meaningless ends the list.
std::vector<PortFinding> runPortSelfTest(const std::string& portName, const PortSelfTestEnvironment& env);

} // namespace platform
