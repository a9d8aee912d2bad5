#pragma once

#include "platform/ProgramFile.h"

namespace platform {

/// Makes `programFilePath()` answer a path of the test's choosing while it lives, as if the program
/// had been installed or renamed there.
class FakeProgramFile {
public:
    /// Pretends the program runs from `path`.
    explicit FakeProgramFile(const QString& path) { setProgramFilePath(path); }
    /// Restores the real path.
    ~FakeProgramFile() { setProgramFilePath(QString()); }
    FakeProgramFile(const FakeProgramFile&) = delete;
    FakeProgramFile& operator=(const FakeProgramFile&) = delete;
};

} // namespace platform
