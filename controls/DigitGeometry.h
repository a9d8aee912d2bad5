#pragma once

#include <QPoint>
#include <array>
#include <cstdint>

/// Segment bits of a digit pattern, in the order the segments are drawn.
namespace DigitSegment {
constexpr uint8_t Top = 1;
constexpr uint8_t Middle = 2;
constexpr uint8_t Bottom = 4;
constexpr uint8_t UpperLeft = 8;
constexpr uint8_t UpperRight = 16;
constexpr uint8_t LowerLeft = 32;
constexpr uint8_t LowerRight = 64;
constexpr uint8_t Dot = 128;
} // namespace DigitSegment

/// One filled segment: its corners in drawing order (six for bars and posts, three for the dot).
struct DigitPolygon {
    std::array<QPoint, 6> corners{};
    int count = 0;
    uint8_t bit = 0;
};

/// The eight segments of a digit in drawing order: top, middle and bottom bar; upper-left,
/// upper-right, lower-left and lower-right post; corner dot.
struct DigitGeometry {
    std::array<DigitPolygon, 8> segments{};
};

/// Number of segments a digit draws.
constexpr int DigitSegmentCount = 8;

/// Segment polygons of a digit `width` x `height` pixels with segment thickness 2 * `thickness`
/// and `separation` pixels between neighbouring segments. Any input gives a result; a thickness
/// too large for the size gives overlapping or inverted polygons.
DigitGeometry ComputeDigitGeometry(int width, int height, int thickness, int separation);

/// The segment pattern of the decimal digit `value` (0..9); 0 for anything else.
uint8_t DigitPattern(int value);

/// True when `pattern` lights the segment with bit `bit`.
constexpr bool IsSegmentLit(uint8_t pattern, uint8_t bit) {
    return (pattern & bit) == bit;
}
