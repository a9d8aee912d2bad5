#pragma once

// The colour picker combo.
#include "controls/ToColorCombo.h"
