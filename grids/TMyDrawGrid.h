#pragma once

#include "grids/TMyCustomDrawGrid.h"

/// The ready-to-use draw grid: every cell is drawn by `OnDrawCell` (or by an overriding `DrawCell`).
class TMyDrawGrid : public TMyCustomDrawGrid {
    Q_OBJECT

public:
    /// Creates a 5 × 5 grid with one fixed column and row.
    explicit TMyDrawGrid(QWidget* parent = nullptr);
};
