#pragma once

namespace platform {

class Registry;

/// Sets an override for every string value "ComDevice<n>" (any case, n from 1 to 255) of the
/// registry's open key, in one pass over its values; values of other names, types or numbers are
/// left alone. Returns the number of overrides set.
int loadComDeviceOverrides(const Registry& registry);

} // namespace platform
