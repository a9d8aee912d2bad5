#pragma once

// The serial link to the light barrier: the port component, its watcher and its exceptions.
#include "comms/ComTypes.h"
#include "comms/EComHandle.h"
#include "comms/EComState.h"
#include "comms/TComPort.h"
#include "comms/TComThread.h"
