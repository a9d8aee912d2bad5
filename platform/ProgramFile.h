#pragma once

#include <QString>

namespace platform {

/// The full path of the running program file; the names the program takes from its own file (title,
/// settings key, help file, default document) are derived from it.
QString programFilePath();

/// Makes `programFilePath()` answer a path of the test's choosing while it lives, as if the program
/// had been installed or renamed there.
class FakeProgramFile {
public:
    /// Pretends the program runs from `path`.
    explicit FakeProgramFile(const QString& path);
    /// Restores the real path.
    ~FakeProgramFile();
    FakeProgramFile(const FakeProgramFile&) = delete;
    FakeProgramFile& operator=(const FakeProgramFile&) = delete;
};

} // namespace platform
