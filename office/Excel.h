#pragma once

// The spreadsheet export unit.
#include "office/TExcel.h"
