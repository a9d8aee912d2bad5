#pragma once

#include "grids/TInplaceEdit.h"
#include "grids/TMyStringGrid.h"

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

/// A string grid without frame or scroll bars whose client area is exactly `w` × `h`, with its
/// protected input parts opened to tests and a settable edit limit.
class InputGrid : public TMyStringGrid {
public:
    explicit InputGrid(int w = 320, int h = 120, QWidget* parent = nullptr) : TMyStringGrid(parent) {
        setBorderStyle(TBorderStyle::bsNone);
        setScrollBars(ssNone);
        resize(w, h);
    }

    int editLimit = 0;
    int clicks = 0;

    using TMyCustomGrid::CancelMode;
    using TMyCustomGrid::TimerActive;
    using TMyCustomGrid::TimerTick;

    /// True when the editor exists and is shown over a cell.
    bool EditorShown() const { return InplaceEditor() && !InplaceEditor()->isHidden(); }
    /// Centre of a cell in client coordinates.
    QPoint Mid(int32_t c, int32_t r) const { return CellRect(c, r).center(); }

protected:
    int GetEditLimit() override { return editLimit; }
    void Click() override {
        ++clicks;
        TMyStringGrid::Click();
    }
};

/// A shown, active window holding one focused InputGrid of 5 × 5 cells (64 × 24 pixels, one fixed
/// column and row): data rows 1 … 3 are fully visible.
struct InputGridTest : ::testing::Test {
    QWidget host;
    InputGrid g{320, 120, &host};

    void SetUp() override {
        host.resize(320, 120);
        host.show();
        QApplication::setActiveWindow(&host);
        g.setFocus();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&host));
        ASSERT_TRUE(g.hasFocus());
    }

    void Key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &g;
        QTest::keyClick(target, k, m);
    }
    void Press(QPoint p, Qt::KeyboardModifiers m = Qt::NoModifier) {
        QTest::mousePress(g.viewport(), Qt::LeftButton, m, p);
    }
    void Release(QPoint p, Qt::KeyboardModifiers m = Qt::NoModifier) {
        QTest::mouseRelease(g.viewport(), Qt::LeftButton, m, p);
    }
    void MoveTo(QPoint p) { QTest::mouseMove(g.viewport(), p); }
    TGridCoord Current() const { return {g.Col(), g.Row()}; }
};
