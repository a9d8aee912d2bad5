#include "controls/DigitGeometry.h"

namespace {

DigitPolygon hexagon(uint8_t bit, QPoint a, QPoint b, QPoint c, QPoint d, QPoint e, QPoint f) {
    DigitPolygon p;
    p.corners = {a, b, c, d, e, f};
    p.count = 6;
    p.bit = bit;
    return p;
}

DigitPolygon bar(uint8_t bit, int W, int T, int S, int b) {
    return hexagon(bit, {S + T, b + T}, {S + 2 * T, b}, {W - S - 2 * T, b}, {W - S - T, b + T},
                   {W - S - 2 * T, b + 2 * T}, {S + 2 * T, b + 2 * T});
}

DigitPolygon post(uint8_t bit, int M, int T, int S, int x, int b) {
    return hexagon(bit, {x, b + 2 * T + S}, {x + T, b + T + S}, {x + 2 * T, b + 2 * T + S},
                   {x + 2 * T, b + M - T - S}, {x + T, b + M - S}, {x, b + M - T - S});
}

} // namespace

DigitGeometry ComputeDigitGeometry(int width, int height, int thickness, int separation) {
    // Corners are given in the last pixel column and row, so the right and bottom edges touch
    // the control's border pixels.
    const int W = width - 1;
    const int H = height - 1;
    const int T = thickness;
    const int S = separation;
    const int M = H / 2;

    DigitGeometry g;
    g.segments[0] = bar(DigitSegment::Top, W, T, S, 0);
    g.segments[1] = bar(DigitSegment::Middle, W, T, S, M - T);
    g.segments[2] = bar(DigitSegment::Bottom, W, T, S, H - 2 * T);
    g.segments[3] = post(DigitSegment::UpperLeft, M, T, S, 0, 0);
    g.segments[4] = post(DigitSegment::UpperRight, M, T, S, W - 2 * T, 0);
    g.segments[5] = post(DigitSegment::LowerLeft, M, T, S, 0, M - T);
    g.segments[6] = post(DigitSegment::LowerRight, M, T, S, W - 2 * T, M - T);

    DigitPolygon& dot = g.segments[7];
    dot.corners[0] = {W, H};
    dot.corners[1] = {W - 2 * T + S, H};
    dot.corners[2] = {W, H - 2 * T + S};
    dot.count = 3;
    dot.bit = DigitSegment::Dot;
    return g;
}

uint8_t DigitPattern(int value) {
    static constexpr uint8_t patterns[10] = {0x7D, 0x50, 0x37, 0x57, 0x5A, 0x4F, 0x6F, 0x51, 0x7F, 0x5F};
    if (value < 0 || value > 9)
        return 0;
    return patterns[value];
}
