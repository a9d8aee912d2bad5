#pragma once

#include <QElapsedTimer>
#include <QTest>

namespace livetest {

/// Runs the event loop until `condition` holds; false if it did not within `ms` (generous: only a
/// failure waits that long, and a sanitizer build on a busy machine is slow).
template <typename F> bool waitFor(F condition, int ms = 10000) {
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > ms)
            return false;
        QTest::qWait(10);
    }
    return true;
}

} // namespace livetest
