#pragma once

#include "app/live/SpectatorContent.h"
#include "app/live/SpectatorLayout.h"
#include "live/LiveSnapshot.h"

#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

class QScreen;
class TDigit;

/// "Zuschauer-Anzeige": the results for a second screen or a TV. The running time in large
/// seven-segment digits, the competitor on track, the last result with its place and the top 10 of
/// that competitor's class; while nobody is on track the table steps through the classes. Esc
/// leaves full screen, F11 or a double click returns to it.
class SpectatorWindow : public QWidget {
    Q_OBJECT

public:
    /// Milliseconds each class stays on the table while nobody is on track.
    static constexpr int RotationMs = 8000;
    /// Milliseconds between refreshes of the running time.
    static constexpr int ClockMs = 40;

    explicit SpectatorWindow(QWidget* parent = nullptr);
    ~SpectatorWindow() override;

    /// Shows `snapshot` (a null one is ignored).
    void setSnapshot(std::shared_ptr<const LiveSnapshot> snapshot);
    /// The tick counter the running time is counted with (default: the program's GetTickCount).
    void setTickSource(std::function<uint32_t()> tickSource);
    /// Full screen on `screen` (null: the screen the window is on).
    void showFullScreenOn(QScreen* screen);

    /// What the window shows now.
    const SpectatorContent& content() const { return m_content; }
    /// The layout in force.
    const SpectatorGeometry& geometryInUse() const { return m_geometry; }
    /// The milliseconds the digits show now.
    int64_t shownTimeMs() const { return m_shownMs; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void refresh();
    void relayout();
    void showTime();
    void rotate();
    int digitCount() const;

    std::shared_ptr<const LiveSnapshot> m_snapshot;
    std::function<uint32_t()> m_tick;
    SpectatorContent m_content;
    SpectatorGeometry m_geometry;
    std::vector<TDigit*> m_digits;
    int m_rotation = 0;
    int64_t m_shownMs = 0;
    QTimer m_clock;
    QTimer m_rotate;
};
