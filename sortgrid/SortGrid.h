#pragma once

// The protocol grid with its options, format settings and event types.
#include "sortgrid/ColorText.h"
#include "sortgrid/EConvertError.h"
#include "sortgrid/SortGridTypes.h"
#include "sortgrid/TFontList.h"
#include "sortgrid/TFontSetting.h"
#include "sortgrid/TFormatOptions.h"
#include "sortgrid/TPrintOptions.h"
#include "sortgrid/TSortGrid.h"
#include "sortgrid/TSortOptions.h"
