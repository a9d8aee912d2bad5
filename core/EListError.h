#pragma once

#include "core/Exception.h"

/// A string list or sparse list was given an index it cannot hold.
class EListError : public Exception {
public:
    using Exception::Exception;
    /// The error for a bad list index: "List index out of bounds (<index>)".
    static EListError IndexOutOfBounds(qint64 index);
};
