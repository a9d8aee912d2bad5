#pragma once

#include "grids/GridTypes.h"
#include "grids/TGridAxisDrawInfo.h"

#include <qnamespace.h>

/// Where a key takes the grid: the new current cell and the new first scrolling cell shown, both
/// clamped to the grid, and how the current cell is to be set.
struct TGridKeyMove {
    TGridCoord Current;
    TGridCoord TopLeft;
    /// False while Shift extends the selection: the anchor stays (Shift+Tab counts as released).
    bool MoveAnchor = true;
    /// True for F2: editor mode goes on.
    bool EditorMode = false;
};

namespace gridkeys {

/// The movement key `Key` with modifiers `Shift` causes in a grid with options `Options`, current
/// cell `Current` and layout `Info` (which also gives the counts and the top-left cell). A key that
/// moves nothing returns the current cell and top-left unchanged.
TGridKeyMove Move(int Key, Qt::KeyboardModifiers Shift, TGridOptions Options, const TGridCoord& Current,
                  const TGridDrawInfo& Info);

} // namespace gridkeys
