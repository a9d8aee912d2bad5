#pragma once

#include <QElapsedTimer>
#include <QTest>

namespace livetest {

/// Runs the event loop until `condition` holds; false if it did not within `ms`.
template <typename F> bool waitFor(F condition, int ms = 3000) {
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
