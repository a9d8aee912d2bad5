#pragma once

#include "tests/support/ProcessUntil.h"

namespace livetest {

/// Runs the event loop until `condition` holds; false if it did not within `ms`.
template <typename F> bool waitFor(F condition, int ms = 10000) {
    return testsupport::processUntil(condition, ms);
}

} // namespace livetest
