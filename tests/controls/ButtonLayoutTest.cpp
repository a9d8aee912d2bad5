#include "controls/ButtonLayout.h"

#include <gtest/gtest.h>

namespace {

struct LayoutCase {
    const char* name;
    TButtonLayout layout;
    QSize glyph;
    QSize caption;
    int margin;
    int spacing;
    QPoint glyphPos;
    QPoint textPos;
};

// A 100 x 40 content area at (2, 2), an 18 x 18 glyph and a 30 x 16 caption.
const QRect Content(2, 2, 100, 40);
const QSize Glyph(18, 18);
const QSize Caption(30, 16);
const QSize None(0, 0);

} // namespace

TEST(ButtonLayout, PlacesGlyphAndCaptionForEveryLayout) {
    using enum TButtonLayout;
    const LayoutCase cases[] = {
        // Margin -1 centres glyph, spacing and caption together: (100 - 18 - 4 - 30 + 1) / 2 = 24.
        {"left", blGlyphLeft, Glyph, Caption, -1, 4, {24, 11}, {46, 12}},
        {"right", blGlyphRight, Glyph, Caption, -1, 4, {58, 11}, {24, 12}},
        // Vertical: (40 - 18 - 4 - 16 + 1) / 2 = 1.
        {"top", blGlyphTop, Glyph, Caption, -1, 4, {41, 1}, {35, 23}},
        {"bottom", blGlyphBottom, Glyph, Caption, -1, 4, {41, 21}, {35, 1}},
        // Without a caption the spacing counts as 0 and the glyph is centred alone.
        {"left, no caption", blGlyphLeft, Glyph, None, -1, 4, {41, 11}, {59, 20}},
        {"right, no caption", blGlyphRight, Glyph, None, -1, 4, {41, 11}, {41, 20}},
        {"top, no caption", blGlyphTop, Glyph, None, -1, 4, {41, 11}, {50, 29}},
        {"bottom, no caption", blGlyphBottom, Glyph, None, -1, 4, {41, 11}, {50, 11}},
        // Without a glyph (the run buttons) the caption is centred whatever the layout.
        {"left, no glyph", blGlyphLeft, None, Caption, -1, 4, {35, 20}, {35, 12}},
        {"right, no glyph", blGlyphRight, None, Caption, -1, 4, {65, 20}, {35, 12}},
        {"top, no glyph", blGlyphTop, None, Caption, -1, 4, {50, 12}, {35, 12}},
        {"bottom, no glyph", blGlyphBottom, None, Caption, -1, 4, {50, 28}, {35, 12}},
        // Both -1 spread the free space in thirds: (100 - 18 - 30) / 3 = 17.
        {"both centred", blGlyphLeft, Glyph, Caption, -1, -1, {17, 11}, {52, 12}},
        {"both centred, right", blGlyphRight, Glyph, Caption, -1, -1, {65, 11}, {18, 12}},
        // Spacing -1 centres the caption in what the glyph leaves: (100 - 5 - 18 - 30) / 2 = 23.
        {"spacing centred", blGlyphLeft, Glyph, Caption, 5, -1, {5, 11}, {46, 12}},
        {"fixed", blGlyphLeft, Glyph, Caption, 2, 3, {2, 11}, {23, 12}},
        {"fixed, bottom", blGlyphBottom, Glyph, Caption, 2, 3, {41, 20}, {35, 1}},
    };
    for (const LayoutCase& c : cases) {
        SCOPED_TRACE(c.name);
        const TButtonPlacement p =
            CalcButtonLayout(Content, c.glyph, c.caption, c.layout, c.margin, c.spacing);
        EXPECT_EQ(p.GlyphPos, Content.topLeft() + c.glyphPos);
        EXPECT_EQ(p.TextBounds, QRect(Content.topLeft() + c.textPos, c.caption));
    }
}

TEST(ButtonLayout, DivisionsTruncateTowardZero) {
    // 21 wide: the glyph of 4 sits at (21 - 4 + 1) / 2 = 9 across; along, (21 - 4 - 0 - 0 + 1) / 2 = 9.
    const TButtonPlacement p =
        CalcButtonLayout(QRect(0, 0, 21, 21), QSize(4, 4), QSize(0, 0), TButtonLayout::blGlyphLeft, -1, 4);
    EXPECT_EQ(p.GlyphPos, QPoint(9, 9));
    // A caption wider and taller than the content: -9 / 2 is -4 and -1 / 2 is 0, not -5 and -1.
    const TButtonPlacement tight =
        CalcButtonLayout(QRect(0, 0, 20, 10), QSize(0, 0), QSize(30, 12), TButtonLayout::blGlyphLeft, -1, 4);
    EXPECT_EQ(tight.TextBounds.topLeft(), QPoint(-4, 0));
}

TEST(ButtonLayout, FaceLosesFrameEdgeAndOutlineAndShiftsWhenPressed) {
    const QRect client(0, 0, 136, 29);
    struct {
        bool pressed, focused;
        QRect content;
    } const cases[] = {
        {false, false, QRect(3, 3, 130, 23)},
        {true, false, QRect(2, 2, 134, 27)},
        {false, true, QRect(1, 1, 134, 27)},
        {true, true, QRect(2, 2, 134, 27)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "pressed " << c.pressed << " focused " << c.focused);
        const TButtonFaceRects rects = CalcButtonFace(client, c.pressed, c.focused);
        EXPECT_EQ(rects.Content, c.content);
        EXPECT_EQ(rects.FocusRect, QRect(4, 4, 128, 21));
    }
}
