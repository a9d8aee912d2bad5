#pragma once

#include <QString>

namespace platform {

/// The program's folder for state that outlives a run (the protocol journal):
/// `$XDG_STATE_HOME/vantro`, or `~/.local/state/vantro` when the variable is unset or not an
/// absolute path. Not created here.
QString stateDirectory();

} // namespace platform
