#pragma once

#include "core/Exception.h"

/// A text could not be converted to the value it should hold (a colour, a number).
class EConvertError : public Exception {
public:
    using Exception::Exception;
};
