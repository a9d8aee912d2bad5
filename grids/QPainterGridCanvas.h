#pragma once

#include "grids/GridCanvas.h"

#include <QRegion>

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

private:
    QPainter& m_painter;
    QRegion m_clip;
};
