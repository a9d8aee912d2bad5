#pragma once

#include <QElapsedTimer>
#include <QTest>

namespace testsupport {

/// Runs the event loop until `done` holds; false if it did not within `ms` (generous: only a failure
/// waits that long, and a sanitizer build on a busy machine is slow).
template <typename F> bool processUntil(F done, int ms = 5000) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > ms)
            return false;
        QTest::qWait(5);
    }
    return true;
}

} // namespace testsupport
