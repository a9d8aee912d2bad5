#pragma once

#include "core/Exception.h"

#include <QString>
#include <utility>

/// The message of the `E` that `f` throws, or "<no exception>" when it throws nothing. An exception
/// of another type passes on and fails the test.
template <class E = Exception, class F> QString ThrownMessage(F&& f) {
    try {
        std::forward<F>(f)();
    } catch (const E& e) {
        return e.Message();
    }
    return QStringLiteral("<no exception>");
}
