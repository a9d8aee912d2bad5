#pragma once

#include <QFlags>
#include <cstdint>

/// A cell address: column X, row Y.
struct TGridCoord {
    int32_t X = 0;
    int32_t Y = 0;
    friend bool operator==(const TGridCoord&, const TGridCoord&) = default;
};

/// A block of cells given by its inclusive first and last column and row.
struct TGridRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;
    friend bool operator==(const TGridRect&, const TGridRect&) = default;
};

/// One grid option; the value is the option's bit in `TGridOptions`.
enum TGridOption : uint16_t {
    goFixedVertLine = 1 << 0,
    goFixedHorzLine = 1 << 1,
    goVertLine = 1 << 2,
    goHorzLine = 1 << 3,
    goRangeSelect = 1 << 4,
    goDrawFocusSelected = 1 << 5,
    goRowSizing = 1 << 6,
    goColSizing = 1 << 7,
    goRowMoving = 1 << 8,
    goColMoving = 1 << 9,
    goEditing = 1 << 10,
    goTabs = 1 << 11,
    goRowSelect = 1 << 12,
    goAlwaysShowEditor = 1 << 13,
    goThumbTracking = 1 << 14,
};
Q_DECLARE_FLAGS(TGridOptions, TGridOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TGridOptions)

/// One flag of a cell's draw state.
enum TGridDrawStateFlag : uint8_t {
    gdSelected = 1 << 0,
    gdFocused = 1 << 1,
    gdFixed = 1 << 2,
};
Q_DECLARE_FLAGS(TGridDrawState, TGridDrawStateFlag)
Q_DECLARE_OPERATORS_FOR_FLAGS(TGridDrawState)

/// What the mouse is doing with the grid.
enum TGridState { gsNormal, gsSelecting, gsRowSizing, gsColSizing, gsRowMoving, gsColMoving };

/// Which scroll bars a grid shows.
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

/// One of the grid's two scroll bars.
enum class TScrollBarKind { Horizontal, Vertical };

/// The requests a scroll bar sends to the grid.
enum class TScrollCode {
    LineUp,
    LineDown,
    PageUp,
    PageDown,
    ThumbPosition,
    ThumbTrack,
    Top,
    Bottom,
    EndScroll
};
