#pragma once

#include "core/Exception.h"

/// A grid operation that the grid refuses, such as an index out of range or inserting through a view.
class EInvalidGridOperation : public Exception {
public:
    using Exception::Exception;
};
