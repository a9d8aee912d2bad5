#include "grids/GridKeyMove.h"

#include <algorithm>

namespace gridkeys {

TGridKeyMove Move(int Key, Qt::KeyboardModifiers Shift, TGridOptions Options, const TGridCoord& Current,
                  const TGridDrawInfo& Info) {
    const TGridAxisDrawInfo& h = Info.Horz;
    const TGridAxisDrawInfo& v = Info.Vert;
    const int32_t colCount = h.GridCellCount;
    const int32_t rowCount = v.GridCellCount;
    const int32_t fixedCols = h.FixedCellCount;
    const int32_t fixedRows = v.FixedCellCount;
    const TGridCoord topLeft{h.FirstGridCell, v.FirstGridCell};
    const bool rowSelect = Options.testFlag(goRowSelect);
    const bool ctrl = Shift.testFlag(Qt::ControlModifier);
    const bool alt = Shift.testFlag(Qt::AltModifier);
    bool shift = Shift.testFlag(Qt::ShiftModifier);
    bool editorMode = false;
    const int32_t pageWidth = std::max(1, h.LastFullVisibleCell - topLeft.X);
    const int32_t pageHeight = std::max(1, v.LastFullVisibleCell - topLeft.Y);
    // Positions are computed in 64 bits so far jumps cannot wrap before they are clamped.
    int64_t curX = Current.X, curY = Current.Y;
    int64_t leftX = topLeft.X, topY = topLeft.Y;

    if (ctrl) {
        switch (Key) {
        case Qt::Key_Up:
            --topY;
            break;
        case Qt::Key_Down:
            ++topY;
            break;
        case Qt::Key_Left:
            if (!rowSelect) {
                curX -= pageWidth;
                leftX -= pageWidth;
            }
            break;
        case Qt::Key_Right:
            if (!rowSelect) {
                curX += pageWidth;
                leftX += pageWidth;
            }
            break;
        case Qt::Key_PageUp:
            curY = topLeft.Y;
            break;
        case Qt::Key_PageDown:
            curY = v.LastFullVisibleCell;
            break;
        case Qt::Key_Home:
            curX = fixedCols;
            curY = fixedRows;
            break;
        case Qt::Key_End:
            curX = colCount - 1;
            curY = rowCount - 1;
            break;
        default:
            break;
        }
    } else {
        switch (Key) {
        case Qt::Key_Up:
            --curY;
            break;
        case Qt::Key_Down:
            ++curY;
            break;
        case Qt::Key_Left:
            if (rowSelect)
                --leftX;
            else
                --curX;
            break;
        case Qt::Key_Right:
            if (rowSelect)
                ++leftX;
            else
                ++curX;
            break;
        case Qt::Key_PageDown:
            curY += pageHeight;
            topY += pageHeight;
            break;
        case Qt::Key_PageUp:
            curY -= pageHeight;
            topY -= pageHeight;
            break;
        case Qt::Key_Home:
            if (rowSelect)
                curY = fixedRows;
            else
                curX = fixedCols;
            break;
        case Qt::Key_End:
            if (rowSelect)
                curY = rowCount - 1;
            else
                curX = colCount - 1;
            break;
        case Qt::Key_Tab:
            if (alt)
                break;
            if (shift) {
                --curX;
                if (curX < fixedCols) {
                    curX = colCount - 1;
                    --curY;
                    if (curY < fixedRows)
                        curY = rowCount - 1;
                }
                // Shift+Tab moves back; it does not extend a selection.
                shift = false;
            } else {
                ++curX;
                if (curX >= colCount) {
                    curX = fixedCols;
                    ++curY;
                    if (curY >= rowCount)
                        curY = fixedRows;
                }
            }
            break;
        case Qt::Key_F2:
            editorMode = true;
            break;
        default:
            break;
        }
    }

    const TGridCoord maxTopLeft{gridaxis::MaxTopLeft(h, colCount - 1), gridaxis::MaxTopLeft(v, rowCount - 1)};
    TGridKeyMove move;
    move.TopLeft = {int32_t(std::clamp<int64_t>(leftX, fixedCols, std::max(fixedCols, maxTopLeft.X))),
                    int32_t(std::clamp<int64_t>(topY, fixedRows, std::max(fixedRows, maxTopLeft.Y)))};
    move.Current = {int32_t(std::clamp<int64_t>(curX, fixedCols, colCount - 1)),
                    int32_t(std::clamp<int64_t>(curY, fixedRows, rowCount - 1))};
    move.MoveAnchor = !shift;
    move.EditorMode = editorMode;
    return move;
}

} // namespace gridkeys
