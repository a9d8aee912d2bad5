#include "controls/TButtonGlyph.h"

#include <algorithm>

namespace {

constexpr QRgb White = 0xFFFFFF;
constexpr QRgb Grey = 0x808080;

QRgb rgbOf(QRgb pixel) {
    return pixel & 0xFFFFFF;
}

bool sameColors(const TGlyphColors& a, const TGlyphColors& b) {
    return a.Face == b.Face && a.Highlight == b.Highlight && a.Shadow == b.Shadow;
}

} // namespace

void TButtonGlyph::setGlyph(const QImage& strip) {
    Invalidate();
    m_original = strip.convertToFormat(QImage::Format_RGB32);
    m_transparent = m_original.isNull() ? 0 : rgbOf(m_original.pixel(0, m_original.height() - 1));
    const int w = m_original.width();
    const int h = m_original.height();
    if (w > 0 && h > 0 && w % h == 0)
        setNumGlyphs(w / h <= 4 ? w / h : 1);
}

void TButtonGlyph::setNumGlyphs(int n) {
    n = std::clamp(n, 1, 4);
    if (n == m_numGlyphs)
        return;
    m_numGlyphs = n;
    Invalidate();
}

QSize TButtonGlyph::GlyphSize() const {
    if (m_original.isNull())
        return {0, 0};
    return {m_original.width() / m_numGlyphs, m_original.height()};
}

void TButtonGlyph::Invalidate() {
    for (QImage& image : m_images)
        image = QImage();
}

const QImage& TButtonGlyph::Image(TButtonState state, const TGlyphColors& colors) const {
    if (!sameColors(colors, m_builtOn)) {
        for (QImage& image : m_images)
            image = QImage();
        m_builtOn = colors;
    }
    QImage& image = m_images[size_t(state)];
    if (image.isNull() && !m_original.isNull())
        image = build(state, colors);
    return image;
}

QImage TButtonGlyph::build(TButtonState state, const TGlyphColors& colors) const {
    const QSize size = GlyphSize();
    QImage image(size, QImage::Format_RGB32);
    const QRgb face = colors.Face.rgb();
    image.fill(face);
    if (size.isEmpty())
        return image;

    if (state == TButtonState::bsDisabled && m_numGlyphs < 2) {
        // No disabled image of its own: the shape (everything but the transparent colour and white
        // shine) is embossed, a highlight copy one pixel down and right under a shadow copy.
        auto inShape = [&](int x, int y) {
            const QRgb p = rgbOf(m_original.pixel(x, y));
            return p != m_transparent && p != White;
        };
        const QRgb light = colors.Highlight.rgb();
        const QRgb dark = colors.Shadow.rgb();
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x)
                if (inShape(x, y) && x + 1 < size.width() && y + 1 < size.height())
                    image.setPixel(x + 1, y + 1, light);
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x)
                if (inShape(x, y))
                    image.setPixel(x, y, dark);
        return image;
    }

    int index = 0;
    if (state == TButtonState::bsDisabled)
        index = 1;
    else if (state == TButtonState::bsDown && m_numGlyphs >= 3)
        index = 2;
    else if (state == TButtonState::bsExclusive && m_numGlyphs >= 4)
        index = 3;
    const int left = index * size.width();
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            QRgb p = rgbOf(m_original.pixel(left + x, y));
            if (p == m_transparent)
                p = face;
            else if (state == TButtonState::bsDisabled && p == White)
                p = colors.Highlight.rgb();
            else if (state == TButtonState::bsDisabled && p == Grey)
                p = colors.Shadow.rgb();
            image.setPixel(x, y, p);
        }
    }
    return image;
}
