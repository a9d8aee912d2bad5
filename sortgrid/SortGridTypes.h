#pragma once

#include <QString>
#include <cstdint>
#include <functional>

class QObject;
class TStrings;

/// Horizontal text position inside a cell.
enum TAlignment { taLeftJustify, taRightJustify, taCenter };

/// Vertical text position inside a cell.
enum TVertAlignment { taTopJustify, taBottomJustify, taMiddle };

/// Bevel lines drawn around data cells.
enum TCellBevelStyle { cbNone, cbRaised, cbLowered };

/// How the texts of a sort column compare; the values are the stored numbers 0..6.
enum TSortStyle {
    ssAutomatic = 0,
    ssNormal = 1,
    ssNumeric = 2,
    ssNumericExtended = 3,
    ssDateTime = 4,
    ssTime = 5,
    ssCustom = 6
};

/// Direction of a sort.
enum TSortDirection { sdAscending = 0, sdDescending = 1 };

/// Which rows a printout covers.
enum TMyPrintRange { prAll, prSelected };

/// Comparison of two texts for `ssCustom`: negative, zero or positive.
using TCustomCompare = std::function<int(const QString& S1, const QString& S2)>;

/// A row or column was inserted or deleted; `ARow` is the row, or the column for column events.
using TUpdateGridEvent = std::function<void(QObject* Sender, int32_t ARow)>;

/// The counts changed; called with the counts before the change.
using TSizeChangedEvent = std::function<void(QObject* Sender, int32_t OldColCount, int32_t OldRowCount)>;

/// Asked whether a row (its texts in column order) passes the filter.
using TSetFilterEvent = std::function<void(TStrings* ARows, bool& Accept)>;

/// Asked for the comparison style of a sort key column.
using TGetSortStyleEvent = std::function<void(QObject* Sender, int32_t Col, TSortStyle& SortStyle)>;

/// Asked when the in-place editor changed a cell: may change the new value or refuse it.
using TCellValidateEvent = std::function<void(QObject* Sender, int32_t ACol, int32_t ARow,
                                              const QString& OldValue, QString& NewValue, bool& Valid)>;

/// A check box cell was toggled.
using TSetChecked = std::function<void(QObject* Sender, int32_t ACol, int32_t ARow, bool State)>;

/// Asked for the items of a combobox cell's drop-down and its size and sorting.
using TGetCombobox = std::function<void(QObject* Sender, int32_t ACol, int32_t ARow, TStrings* Strs,
                                        int& Width, int& Height, bool& Sorted)>;

/// An item of a combobox cell's drop-down was chosen.
using TSetCombobox = std::function<void(QObject* Sender, int32_t ACol, int32_t ARow, const QString& Str)>;

/// The ellipsis button of a cell was pressed.
using TSetEllipsis = std::function<void(QObject* Sender, int32_t ACol, int32_t ARow)>;

/// Called before a sort with the sort column, which it may change.
using TBeforeSortEvent = std::function<void(QObject* Sender, int32_t& Col)>;

/// Called after a sort with the primary column.
using TAfterSortEvent = std::function<void(QObject* Sender, int32_t Col)>;
