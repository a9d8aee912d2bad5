#pragma once

#include <QKeyEvent>
#include <QLineEdit>
#include <QRect>
#include <cstdint>

class TMyCustomGrid;

/// The borderless edit a grid lays over its current cell while editing. It hands navigation keys
/// to the grid, guards every modification of a read-only cell, and turns a press that follows a
/// press on the grid closely into a double click (so a double click that starts on the grid and
/// ends on the editor that appeared under the pointer still counts as one).
class TInplaceEdit : public QLineEdit {
    Q_OBJECT

public:
    /// Creates a hidden editor; the grid sets itself as `Grid` and parent before using it.
    explicit TInplaceEdit(QWidget* parent = nullptr);
    ~TInplaceEdit() override;

    /// The grid the editor works for (not owned).
    TMyCustomGrid* Grid() const { return m_grid; }
    /// Sets the grid the editor works for.
    void setGrid(TMyCustomGrid* Grid) { m_grid = Grid; }

    /// Places the editor on `Loc` (client coordinates of the grid) and redraws it; an empty
    /// rectangle hides it.
    void Move(const QRect& Loc);
    /// Places the editor on `Loc` without forcing a redraw; an empty rectangle hides it.
    void UpdateLoc(const QRect& Loc);
    /// Hides the editor (giving the focus back to the grid if the editor had it).
    void Hide();
    /// Puts the caret at the end of the text with nothing selected.
    void Deselect();
    /// Marks the editor and the grid area under it for repainting.
    void Invalidate();
    /// The length limit loaded from the grid: 0 none, −1 read-only.
    int EditLimit() const { return m_editLimit; }

    /// A character the grid hands on to the editor (it has no key-down of its own).
    class PostedChar : public QKeyEvent {
    public:
        explicit PostedChar(QChar Ch)
            : QKeyEvent(QEvent::KeyPress, Ch == QChar(8) ? Qt::Key_Backspace : Qt::Key_unknown,
                        Qt::NoModifier, QString(Ch)) {}
    };

protected:
    /// Adjusts the text area to the new size (2 pixels in from the left and top, like the cell text).
    virtual void BoundsChanged();
    /// Loads the current cell of the grid: mask, text and length limit; selects all text.
    virtual void UpdateContents();

    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    friend class TMyCustomGrid;

    void InternalMove(const QRect& Loc, bool Redraw);
    bool CanModify() const;
    void SyncReadOnly();

    TMyCustomGrid* m_grid = nullptr;
    int m_editLimit = 0;
    bool m_loading = false;
    /// Time stamp of the last left press on the grid (0 after use).
    uint64_t m_clickTime = 0;
    /// Time stamp of the press that was turned into a double click, so the toolkit's own double
    /// click for the same press is not reported twice.
    uint64_t m_convertedPress = 0;
};
