#pragma once

#include "core/Exception.h"

/// The opened serial device refused its settings.
class EComState : public Exception {
public:
    using Exception::Exception;
};
