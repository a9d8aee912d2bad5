#pragma once

#include "grids/TMyDrawGrid.h"
#include "testing/RecordingGridCanvas.h"

#include <QRect>
#include <functional>
#include <utility>
#include <vector>

/// A draw grid that records its hooks and window services and opens its protected parts to tests.
class GridProbe : public TMyDrawGrid {
public:
    struct Scroll {
        int dx, dy;
        QRect area;
    };

    /// A grid without frame or scroll bars whose client area is exactly `w` × `h`.
    explicit GridProbe(int w = 320, int h = 120, QWidget* parent = nullptr) : TMyDrawGrid(parent) {
        setBorderStyle(TBorderStyle::bsNone);
        setScrollBars(ssNone);
        resize(w, h);
    }

    std::vector<std::pair<int32_t, int32_t>> sizeChanged;
    int colWidthsChanged = 0;
    int topLeftChanged = 0;
    std::vector<QRect> invalidated;
    std::vector<Scroll> scrolled;
    /// When set, SizeChanged calls it (it may throw to simulate a failing descendant).
    std::function<void()> onSizeChanged;

    using TMyCustomGrid::DrawMoveLine;
    using TMyCustomGrid::DrawSizingLine;
    using TMyCustomGrid::m_gridState;
    using TMyCustomGrid::m_moveIndex;
    using TMyCustomGrid::m_movePos;
    using TMyCustomGrid::m_sizingPos;

    /// Paints into a fresh recording canvas and returns it.
    RecordingGridCanvas Paint() {
        RecordingGridCanvas canvas;
        PaintGrid(canvas);
        return canvas;
    }

    void clearRecords() {
        invalidated.clear();
        scrolled.clear();
    }

protected:
    void SizeChanged(int32_t OldColCount, int32_t OldRowCount) override {
        sizeChanged.emplace_back(OldColCount, OldRowCount);
        if (onSizeChanged)
            onSizeChanged();
    }
    void ColWidthsChanged() override {
        ++colWidthsChanged;
        TMyDrawGrid::ColWidthsChanged();
    }
    void TopLeftChanged() override {
        ++topLeftChanged;
        TMyDrawGrid::TopLeftChanged();
    }
    void InvalidateRect(const QRect& r) override {
        if (!r.isEmpty())
            invalidated.push_back(r);
        TMyDrawGrid::InvalidateRect(r);
    }
    void ScrollClient(int dx, int dy, const QRect& area) override {
        scrolled.push_back({dx, dy, area});
        TMyDrawGrid::ScrollClient(dx, dy, area);
    }
};
