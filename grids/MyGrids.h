#pragma once

// The grid family: geometry, drawing and scrolling base, the draw grid and the string grid.
#include "grids/GridTypes.h"
#include "grids/TInplaceEdit.h"
#include "grids/TMyCustomDrawGrid.h"
#include "grids/TMyCustomGrid.h"
#include "grids/TMyDrawGrid.h"
#include "grids/TMyStringGrid.h"
#include "grids/TMyStringGridStrings.h"
#include "grids/TSparseList.h"
#include "grids/TSparsePointerArray.h"
#include "grids/TStringSparseList.h"
