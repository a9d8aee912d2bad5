#pragma once

#include "grids/TMyCustomGrid.h"

/// Draws one cell: Rect may be changed by the handler, State tells fixed, focused and selected.
using TDrawCellEvent =
    std::function<void(QObject* Sender, int32_t ACol, int32_t ARow, QRect& Rect, TGridDrawState State)>;
/// Reports that a line moved from FromIndex to ToIndex.
using TMovedEvent = std::function<void(QObject* Sender, int32_t FromIndex, int32_t ToIndex)>;
/// Supplies a text (edit text or edit mask) for a cell; Value arrives preset.
using TGetEditEvent = std::function<void(QObject* Sender, int32_t ACol, int32_t ARow, QString& Value)>;
/// Receives the text the editor stored into a cell.
using TSetEditEvent = std::function<void(QObject* Sender, int32_t ACol, int32_t ARow, const QString& Value)>;
/// Asked before a cell becomes current; CanSelect arrives preset to true.
using TSelectCellEvent = std::function<void(QObject* Sender, int32_t ACol, int32_t ARow, bool& CanSelect)>;

/// A grid whose hooks fire events, so that cells can be drawn and edited without deriving.
class TMyCustomDrawGrid : public TMyCustomGrid {
    Q_OBJECT

public:
    /// Creates the grid with the base defaults.
    explicit TMyCustomDrawGrid(QWidget* parent = nullptr);

    /// Fired after a column moved.
    TMovedEvent OnColumnMoved;
    /// Fired to draw each cell.
    TDrawCellEvent OnDrawCell;
    /// Fired for a cell's edit mask.
    TGetEditEvent OnGetEditMask;
    /// Fired for the text the editor loads.
    TGetEditEvent OnGetEditText;
    /// Fired after a row moved.
    TMovedEvent OnRowMoved;
    /// Fired before a cell becomes current.
    TSelectCellEvent OnSelectCell;
    /// Fired when the editor stores a text.
    TSetEditEvent OnSetEditText;
    /// Fired after every move of the visible window.
    TNotifyEvent OnTopLeftChanged;

protected:
    void DrawCell(int32_t ACol, int32_t ARow, const QRect& ARect, TGridDrawState AState) override;
    void ColumnMoved(int32_t FromIndex, int32_t ToIndex) override;
    void RowMoved(int32_t FromIndex, int32_t ToIndex) override;
    QString GetEditMask(int32_t ACol, int32_t ARow) override;
    QString GetEditText(int32_t ACol, int32_t ARow) override;
    void SetEditText(int32_t ACol, int32_t ARow, const QString& Value) override;
    bool CanSelectCell(int32_t ACol, int32_t ARow) override;
    void TopLeftChanged() override;
};
