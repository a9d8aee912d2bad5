#include "grids/TMyDrawGrid.h"

TMyDrawGrid::TMyDrawGrid(QWidget* parent) : TMyCustomDrawGrid(parent) {}
