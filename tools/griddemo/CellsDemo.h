#pragma once

/// Shows the protocol grid with formats and cell widgets and runs the application until it ends.
int RunCellsDemo(int quitAfter);
