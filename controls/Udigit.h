#pragma once

// The seven-segment digit control.
#include "controls/TDigit.h"
