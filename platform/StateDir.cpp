#include "StateDir.h"

#include <QDir>

namespace platform {

QString stateDirectory() {
    QString base = qEnvironmentVariable("XDG_STATE_HOME");
    // The base directory rules ignore a relative path.
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/state");
    return QDir::cleanPath(base + QStringLiteral("/vantro"));
}

} // namespace platform
