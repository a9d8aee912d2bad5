#pragma once

#include <QImage>

/// The small bitmaps the protocol grid copies into cells, drawn once in code.
namespace cellbitmaps {

/// A ticked check box, 10 × 10.
const QImage& Checked();
/// An empty check box, 10 × 10.
const QImage& Unchecked();
/// The drop-down button of a combobox cell, 16 × 16: a raised face with a downward arrow.
const QImage& ComboBox();
/// The button of an ellipsis cell, 16 × 16: a raised face with three dots.
const QImage& Ellipsis();
/// The ascending sort indicator, 8 × 7: a small upward triangle.
const QImage& Up();
/// The descending sort indicator, 8 × 7: a small downward triangle.
const QImage& Down();

} // namespace cellbitmaps
