#pragma once

#include <QString>

namespace platform {

/// The full path of the running program file; the names the program takes from its own file (title,
/// settings key, help file, default document) are derived from it.
QString programFilePath();

/// Makes `programFilePath()` answer `path`, as if the program had been installed or renamed there;
/// an empty path restores the real one. For tests.
void setProgramFilePath(const QString& path);

} // namespace platform
