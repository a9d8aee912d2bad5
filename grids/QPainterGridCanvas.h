#pragma once

#include "grids/GridCanvas.h"

#include <QColor>
#include <QFont>
#include <QRegion>
#include <optional>

class QPainter;

/// The grid canvas that paints on screen through a QPainter, clipped to the area being repainted.
class QPainterGridCanvas : public GridCanvas {
public:
    /// Paints with `painter`; `clip` is the region the paint event asked for.
    QPainterGridCanvas(QPainter& painter, const QRegion& clip);

    void FillRect(const QRect& r) override;
    void TextRect(const QRect& clip, int x, int y, const QString& text) override;
    void PolySegments(std::span<const QLine> segments, int width, TColor color) override;
    void DrawRaisedInnerEdge(const QRect& r, TEdgeSides sides) override;
    void DrawFocusRect(const QRect& r) override;
    void DrawFeedbackLine(QPoint a, QPoint b, int width) override;
    bool RectVisible(const QRect& r) const override;
    void DrawImage(const QRect& dest, const QImage& image, const QRect& source) override;

    int TextWidth(const QString& text) const override;
    int TextHeight() const override;

private:
    /// Gives the painter the canvas font and font colour, each only when it changed.
    void applyTextState();
    /// Metrics of the canvas font, made again only when the font changed.
    const QFontMetrics& metrics() const;

    QPainter& m_painter;
    QRegion m_clip;
    // Whether the painter came with a clip of its own: without one, a text's clip replaces the clip
    // and is switched off again, which costs far less than saving and restoring the painter.
    bool m_painterClips;
    // What the painter was last given, so that unchanged fonts and colours are not set per cell.
    QFont m_painterFont;
    QColor m_painterPen;
    bool m_textStateSet = false;
    mutable QFont m_metricsFont;
    mutable std::optional<QFontMetrics> m_metrics;
};
