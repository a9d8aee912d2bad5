#pragma once

#include <QString>

/// The messages of the grids' `EInvalidGridOperation` failures, shared by every grid of the family.
namespace gridmsg {

/// An index outside the grid, a negative fixed count, a current cell outside the grid.
inline const QString kIndexOutOfRange = QStringLiteral("Grid index out of range");
/// A fixed column count not below the column count.
inline const QString kFixedColsTooMany = QStringLiteral("Fixed column count must be less than column count");
/// A fixed row count not below the row count.
inline const QString kFixedRowsTooMany = QStringLiteral("Fixed row count must be less than row count");
/// A size list that would shrink below nothing.
inline const QString kTooManyDeleted = QStringLiteral("Too many rows or columns deleted");
/// A size list that would grow past its largest length.
inline const QString kTooLarge = QStringLiteral("Grid too large for operation");

} // namespace gridmsg
