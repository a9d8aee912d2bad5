#pragma once

#include <QFont>
#include <QRect>
#include <QString>

namespace platform {

/// What printing draws on: a font (always black text) and three text operations. The printer
/// service gives a canvas on the printer's pages; tests use a recording one.
class PrintCanvas {
public:
    virtual ~PrintCanvas() = default;

    /// The font of the following texts.
    const QFont& Font() const { return m_font; }
    /// Sets the font of the following texts.
    virtual void setFont(const QFont& f) { m_font = f; }

    /// Writes `text` with its top-left at (x, y).
    virtual void TextOut(int x, int y, const QString& text) = 0;
    /// Writes `text` with its top-left at (x, y), clipped to `clip`.
    virtual void TextRect(const QRect& clip, int x, int y, const QString& text) = 0;
    /// `TextRect` for a text whose width `TextWidth` gave: a canvas may leave out a clip that the
    /// text stays inside of.
    virtual void TextRectMeasured(const QRect& clip, int x, int y, const QString& text, int width) {
        (void)width;
        TextRect(clip, x, y, text);
    }
    /// Width of `text` in the current font, in device pixels.
    virtual int TextWidth(const QString& text) = 0;

private:
    QFont m_font;
};

} // namespace platform
