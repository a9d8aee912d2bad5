#pragma once

#include "core/Exception.h"

/// The serial device could not be opened.
class EComHandle : public Exception {
public:
    using Exception::Exception;
};
