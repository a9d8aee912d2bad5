#include "testing/FakeFileOpener.h"

namespace platform {

FakeFileOpener::FakeFileOpener() {
    setFileOpener(this);
}

FakeFileOpener::~FakeFileOpener() {
    setFileOpener(nullptr);
}

bool FakeFileOpener::OpenFile(const QString& path) {
    m_opened.append(path);
    return m_result;
}

} // namespace platform
