#pragma once

#include <QColor>
#include <QImage>
#include <QSize>
#include <array>

/// The state whose image a button draws.
enum class TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };

/// The colours a glyph image is built on.
struct TGlyphColors {
    /// The button's face colour: background of every image and replacement of the transparent colour.
    QColor Face;
    /// Light part of a disabled image.
    QColor Highlight;
    /// Dark part of a disabled image.
    QColor Shadow;
};

/// A button's glyph: a strip of up to four images side by side (up, disabled, down, exclusive) and the
/// images built from it on the button's face colour. Needs no window.
class TButtonGlyph {
public:
    /// The strip as it was given.
    const QImage& Glyph() const { return m_original; }
    /// Takes a copy of `strip`; its bottom-left pixel becomes the transparent colour. When the width is
    /// a whole multiple of the height, NumGlyphs becomes width / height if that is at most 4, else 1.
    void setGlyph(const QImage& strip);

    /// The number of images in the strip, 1..4.
    int NumGlyphs() const { return m_numGlyphs; }
    /// Stores `n` clamped to 1..4 and discards the built images.
    void setNumGlyphs(int n);

    /// The colour that stands for "no glyph here" in the strip.
    QRgb TransparentColor() const { return m_transparent; }

    /// The size of one image: the strip's width divided by NumGlyphs, by its height; 0 x 0 without one.
    QSize GlyphSize() const;

    /// The image for `state` on `colors`, built on first use and kept until the strip, the number of
    /// images or the colours change. The down and exclusive states use the up image when the strip
    /// has no image of their own; a disabled state without one shows the glyph's shape embossed.
    const QImage& Image(TButtonState state, const TGlyphColors& colors) const;

    /// Discards the built images, so they are built anew at the next use.
    void Invalidate();

private:
    QImage build(TButtonState state, const TGlyphColors& colors) const;

    QImage m_original;
    int m_numGlyphs = 1;
    QRgb m_transparent = 0;
    mutable std::array<QImage, 4> m_images;
    mutable TGlyphColors m_builtOn;
};
