#pragma once

#include "core/Colors.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QLine>
#include <QRect>
#include <QString>
#include <span>

/// Sides of a rectangle for 3-D edges.
enum class TEdgeSide : uint8_t { Left = 1, Top = 2, Right = 4, Bottom = 8 };
Q_DECLARE_FLAGS(TEdgeSides, TEdgeSide)
Q_DECLARE_OPERATORS_FOR_FLAGS(TEdgeSides)

/// What a grid draws on: a small set of operations that a QPainter provides for the screen and a
/// recording implementation provides for tests. Holds a brush colour, a font and a font colour like
/// a device context; the grid sets them before it calls `DrawCell`.
class GridCanvas {
public:
    virtual ~GridCanvas() = default;

    /// Colour used by `FillRect`.
    TColor BrushColor() const { return m_brushColor; }
    /// Sets the colour used by `FillRect`.
    void setBrushColor(TColor c) { m_brushColor = c; }
    /// Font used by `TextRect`.
    const QFont& Font() const { return m_font; }
    /// Sets the font used by `TextRect`.
    void setFont(const QFont& f) { m_font = f; }
    /// Colour of text written by `TextRect`.
    TColor FontColor() const { return m_fontColor; }
    /// Sets the colour of text written by `TextRect`.
    void setFontColor(TColor c) { m_fontColor = c; }

    /// Fills `r` (right and bottom edges exclusive) with the brush colour.
    virtual void FillRect(const QRect& r) = 0;
    /// Writes `text` with its top-left at (x, y), clipped to `clip`, in the font and font colour.
    virtual void TextRect(const QRect& clip, int x, int y, const QString& text) = 0;
    /// Draws each segment as a solid line of `width` pixels centred on it (width 1: the line itself;
    /// 3: one pixel either side), with flat ends. A segment covers its first point up to, not
    /// including, its second.
    virtual void PolySegments(std::span<const QLine> segments, int width, TColor color) = 0;
    /// Draws a raised inner 3-D edge on the given sides of `r` (one pixel inside it).
    virtual void DrawRaisedInnerEdge(const QRect& r, TEdgeSides sides) = 0;
    /// Draws a dotted focus rectangle just inside `r`.
    virtual void DrawFocusRect(const QRect& r) = 0;
    /// Draws a dotted feedback line of `width` pixels from `a` to `b` (sizing and drop positions).
    virtual void DrawFeedbackLine(QPoint a, QPoint b, int width) = 0;
    /// True when `r` meets the area being painted.
    virtual bool RectVisible(const QRect& r) const = 0;
    /// Copies the `source` part of `image` into `dest`, stretched to its size.
    virtual void DrawImage(const QRect& dest, const QImage& image, const QRect& source) = 0;
    /// Width of `text` in the canvas font.
    virtual int TextWidth(const QString& text) const { return QFontMetrics(m_font).horizontalAdvance(text); }
    /// Height of a line of text in the canvas font.
    virtual int TextHeight() const { return QFontMetrics(m_font).height(); }

private:
    TColor m_brushColor = clWindow;
    QFont m_font;
    TColor m_fontColor = clWindowText;
};
