#pragma once

#include "event/EventWriteItem.h"
#include "event/StoreError.h"

#include <vector>

/// Where the event writer commits its records: the store, or a test's stand-in.
class EventSink {
public:
    virtual ~EventSink() = default;
    /// Writes all items in one transaction, in order: all are committed or none is.
    virtual StoreError write(const std::vector<EventWriteItem>& items) = 0;
};
