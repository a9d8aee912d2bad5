#include "controls/TButtonGlyph.h"

#include <gtest/gtest.h>

namespace {

constexpr QRgb Transparent = 0x008080;
constexpr QRgb Ink = 0x0000C0;
const TGlyphColors Colors{QColor(0xFF0000), QColor(0xEEEEEE), QColor(0x333333)};

// A strip of `count` 4 x 4 images on the transparent colour, image i with a pixel of `inks[i]` at (1, 1).
QImage makeStrip(std::initializer_list<QRgb> inks) {
    QImage image(4 * int(inks.size()), 4, QImage::Format_RGB32);
    image.fill(Transparent);
    int i = 0;
    for (QRgb ink : inks)
        image.setPixel(4 * i++ + 1, 1, ink);
    return image;
}

QRgb at(const QImage& image, int x, int y) {
    return image.pixel(x, y) & 0xFFFFFF;
}

} // namespace

TEST(TButtonGlyph, ImagesReplaceTheTransparentColourByTheFace) {
    TButtonGlyph g;
    g.setGlyph(makeStrip({Ink}));
    EXPECT_EQ(g.TransparentColor(), Transparent);
    const QImage& up = g.Image(TButtonState::bsUp, Colors);
    EXPECT_EQ(up.size(), QSize(4, 4));
    EXPECT_EQ(at(up, 0, 0), 0xFF0000u);
    EXPECT_EQ(at(up, 1, 1), Ink);

    // A new face colour builds the image anew.
    const TGlyphColors green{QColor(0x00FF00), Colors.Highlight, Colors.Shadow};
    EXPECT_EQ(at(g.Image(TButtonState::bsUp, green), 0, 0), 0x00FF00u);
}

TEST(TButtonGlyph, DownAndExclusiveUseTheirOwnImagesOnlyWhenTheStripHasThem) {
    TButtonGlyph g;
    g.setGlyph(makeStrip({0x000001, 0x000002, 0x000003, 0x000004}));
    ASSERT_EQ(g.NumGlyphs(), 4);
    EXPECT_EQ(at(g.Image(TButtonState::bsDown, Colors), 1, 1), 0x000003u);
    EXPECT_EQ(at(g.Image(TButtonState::bsExclusive, Colors), 1, 1), 0x000004u);
    g.setNumGlyphs(2);
    EXPECT_EQ(g.GlyphSize(), QSize(8, 4));
    EXPECT_EQ(at(g.Image(TButtonState::bsDown, Colors), 1, 1), 0x000001u);
    EXPECT_EQ(at(g.Image(TButtonState::bsExclusive, Colors), 1, 1), 0x000001u);
}

TEST(TButtonGlyph, DisabledImageMapsWhiteAndGreyOrEmbossesASingleImage) {
    TButtonGlyph two;
    QImage strip = makeStrip({Ink, 0x808080});
    strip.setPixel(4 + 2, 2, 0xFFFFFF);
    two.setGlyph(strip);
    const QImage& disabled = two.Image(TButtonState::bsDisabled, Colors);
    EXPECT_EQ(at(disabled, 1, 1), 0x333333u);
    EXPECT_EQ(at(disabled, 2, 2), 0xEEEEEEu);
    EXPECT_EQ(at(disabled, 0, 0), 0xFF0000u);

    TButtonGlyph one;
    one.setGlyph(makeStrip({Ink}));
    const QImage& embossed = one.Image(TButtonState::bsDisabled, Colors);
    EXPECT_EQ(at(embossed, 1, 1), 0x333333u);
    EXPECT_EQ(at(embossed, 2, 2), 0xEEEEEEu);
    EXPECT_EQ(at(embossed, 0, 0), 0xFF0000u);
    EXPECT_EQ(at(embossed, 3, 3), 0xFF0000u);
}
