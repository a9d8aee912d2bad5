#pragma once

#include "core/Exception.h"

namespace platform {

/// A registry value could not be read or written: it is missing, has another type, or the
/// store could not be saved.
class ERegistryException : public Exception {
public:
    using Exception::Exception;
};

} // namespace platform
