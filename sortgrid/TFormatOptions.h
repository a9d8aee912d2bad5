#pragma once

#include "core/Colors.h"
#include "grids/GridTypes.h"
#include "sortgrid/SortGridTypes.h"

#include <QFont>

/// The format of one cell as the protocol grid hands it to `OnGetCellFormat`: filled with the grid's
/// own settings first, then changed by the handler.
struct TFormatOptions {
    /// Background colour of the cell.
    TColor BrushColor = clWindow;
    /// Font of the cell text.
    QFont Font;
    /// Colour of the cell text.
    TColor FontColor = clWindowText;
    /// Horizontal text position.
    TAlignment AlignmentHorz = taLeftJustify;
    /// Vertical text position.
    TVertAlignment AlignmentVert = taTopJustify;
    /// Bevel lines around the cell.
    TCellBevelStyle Bevel = cbNone;
    /// Colour of the bevel's light edges.
    TColor HighlightColor = clWindow;
    /// Colour of the bevel's dark edges.
    TColor ShadowColor = clWindow;
    /// True when the cell is filled but its text not drawn.
    bool HideText = false;
};

/// Asked for the format of one cell before it is drawn or measured.
using TFormatDrawCellEvent =
    std::function<void(QObject* Sender, int32_t ACol, int32_t ARow, TGridDrawState State,
                       TFormatOptions& FormatOptions, bool& CheckBox, bool& Combobox, bool& Ellipsis)>;
