#pragma once

#include "grids/GridCanvas.h"

#include <QRegion>
#include <vector>

/// A grid canvas that keeps every drawing call, so tests can check what a grid draws without pixels.
class RecordingGridCanvas : public GridCanvas {
public:
    /// One recorded call.
    struct Op {
        enum Kind { Fill, Text, Lines, Edge, Focus, Feedback, Image } kind;
        QRect rect;              ///< Fill, Text (clip), Edge, Focus, Image (destination)
        QPoint at;               ///< Text origin
        QString text;            ///< Text
        std::vector<QLine> segs; ///< Lines, Feedback
        int width = 0;           ///< Lines, Feedback
        TColor color = 0;        ///< Fill: brush; Text: font colour; Lines: pen
        TEdgeSides sides;        ///< Edge
        QRect source;            ///< Image: the part of the image copied
        QImage image;            ///< Image
        QFont font;              ///< Text: the font in force
    };

    /// Records everything inside `clip` as visible (the whole plane by default).
    explicit RecordingGridCanvas(const QRegion& clip = QRegion(QRect(-100000, -100000, 200000, 200000)))
        : m_clip(clip) {}

    void FillRect(const QRect& r) override {
        m_ops.push_back({Op::Fill, r, {}, {}, {}, 0, BrushColor(), {}, {}, {}, {}});
    }
    void TextRect(const QRect& clip, int x, int y, const QString& text) override {
        m_ops.push_back({Op::Text, clip, QPoint(x, y), text, {}, 0, FontColor(), {}, {}, {}, Font()});
    }
    void PolySegments(std::span<const QLine> segments, int width, TColor color) override {
        m_ops.push_back(
            {Op::Lines, {}, {}, {}, {segments.begin(), segments.end()}, width, color, {}, {}, {}, {}});
    }
    void DrawRaisedInnerEdge(const QRect& r, TEdgeSides sides) override {
        m_ops.push_back({Op::Edge, r, {}, {}, {}, 0, 0, sides, {}, {}, {}});
    }
    void DrawFocusRect(const QRect& r) override {
        m_ops.push_back({Op::Focus, r, {}, {}, {}, 0, 0, {}, {}, {}, {}});
    }
    void DrawFeedbackLine(QPoint a, QPoint b, int width) override {
        m_ops.push_back({Op::Feedback, {}, {}, {}, {QLine(a, b)}, width, 0, {}, {}, {}, {}});
    }
    bool RectVisible(const QRect& r) const override { return m_clip.intersects(r); }
    void DrawImage(const QRect& dest, const QImage& image, const QRect& source) override {
        m_ops.push_back({Op::Image, dest, {}, {}, {}, 0, 0, {}, source, image, {}});
    }

    /// Every call so far, in order.
    const std::vector<Op>& Ops() const { return m_ops; }
    /// The calls of one kind, in order.
    std::vector<Op> OpsOf(Op::Kind kind) const {
        std::vector<Op> out;
        for (const Op& op : m_ops)
            if (op.kind == kind)
                out.push_back(op);
        return out;
    }
    /// Forgets the recorded calls.
    void Clear() { m_ops.clear(); }

private:
    QRegion m_clip;
    std::vector<Op> m_ops;
};
