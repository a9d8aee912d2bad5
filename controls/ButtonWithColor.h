#pragma once

// The coloured push button with its glyph, presets and layout.
#include "controls/BitBtnKind.h"
#include "controls/ButtonLayout.h"
#include "controls/TBitBtnWithColor.h"
#include "controls/TButtonGlyph.h"
