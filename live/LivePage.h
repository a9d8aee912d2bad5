#pragma once

#include "live/LiveRoutes.h"

/// The page, its style and its script as the program carries them (resources of the program;
/// no file is read from anywhere else).
LiveAssets livePageAssets();
