// Cell drawing of the protocol grid: formats, colours, alignment, the header with its sort
// indicator, check boxes, combobox and ellipsis buttons and bevel lines.
#include "sortgrid/TSortGrid.h"

#include "grids/CellTextOverflow.h"
#include "grids/GridCanvas.h"
#include "sortgrid/CellBitmaps.h"
#include "sortgrid/CellWidgetGeometry.h"
#include "sortgrid/SortGridGeometry.h"

#include <algorithm>

namespace {

const QString kChecked = QStringLiteral("true");

const TFontSetting* ActiveSetting(TFontList& list, int32_t index) {
    if (index < 0 || index >= list.Count())
        return nullptr;
    const TFontSetting* s = list.Items(index);
    return s->Active() ? s : nullptr;
}

} // namespace

TFormatOptions TSortGrid::CellLook(int32_t ACol, int32_t ARow, bool& CheckBox, bool& Combobox,
                                   bool& Ellipsis) {
    TFormatOptions f = GetCellFormat(ACol, ARow, CheckBox, Combobox, Ellipsis);
    if (CheckBox)
        f.HideText = true;

    const TGridRect sel = Selection();
    const bool rangeSelected = Options().testFlag(goRangeSelect) && ARow >= sel.Top && ARow <= sel.Bottom;
    const bool multiSelected = m_multiSelect && IsRowSelected(ARow) && !Options().testFlag(goEditing);
    if (rangeSelected || multiSelected) {
        f.FontColor = clHighlightText;
        f.BrushColor = clHighlight;
    } else {
        const TFontSetting* column = ActiveSetting(m_columnFormats, ACol);
        const TFontSetting* row = ActiveSetting(m_rowFormats, ARow);
        const TFontSetting* setting = column && (m_columnFormatsFirst || !row) ? column : row;
        if (setting) {
            f.FontColor = setting->FontColor();
            f.BrushColor = setting->BackColor();
            if (setting->Bold())
                f.Font.setBold(true);
            if (setting->Italic())
                f.Font.setItalic(true);
            if (setting->Underline())
                f.Font.setUnderline(true);
        }
    }
    return f;
}

std::vector<OverflowCell> TSortGrid::ScreenOverflowRow(int32_t FirstCol, int32_t LastCol, int32_t ARow) {
    GridCanvas& canvas = *Canvas();
    // Every cell's format starts from what the canvas holds, as it does for the cell being drawn.
    const QFont base = canvas.Font();
    std::vector<OverflowCell> cells;
    for (int32_t c = FirstCol; c <= LastCol; ++c) {
        bool checkBox = false, combobox = false, ellipsis = false;
        const TFormatOptions f = CellLook(c, ARow, checkBox, combobox, ellipsis);
        const QString text = Cells(c, ARow);
        const QRect r = CellRect(c, ARow);
        OverflowCell cell{r.left(), r.left() + r.width(), r.left(), true, false};
        cell.Free = text.isEmpty() && !checkBox && !combobox && !ellipsis;
        // The header's captions are shortened to their cell instead; only left-aligned text runs on.
        cell.RunsOn = ARow != 0 && !f.HideText && f.AlignmentHorz == taLeftJustify;
        if (!cell.Free && cell.RunsOn) {
            canvas.setFont(f.Font);
            const int width = canvas.TextWidth(text);
            cell.TextRight =
                r.left() +
                CellTextOffset(f.AlignmentHorz, f.AlignmentVert, r.size(), QSize(width, canvas.TextHeight()))
                    .x() +
                width;
            canvas.setFont(base);
        }
        cells.push_back(cell);
    }
    return cells;
}

void TSortGrid::DrawRunOnText(int32_t ACol, int32_t ARow, const QRect& ARect, TColor Brush) {
    const int32_t first = std::max(LeftCol(), FixedCols());
    if (ACol <= first || ARow == 0)
        return;
    const std::vector<OverflowCell> row = ScreenOverflowRow(first, ACol, ARow);
    const int32_t source = OverflowSource(row, ACol - first);
    if (source < 0 || source == ACol - first)
        return;
    bool checkBox = false, combobox = false, ellipsis = false;
    const TFormatOptions look = CellLook(first + source, ARow, checkBox, combobox, ellipsis);
    GridCanvas& canvas = *Canvas();
    const QString text = Cells(first + source, ARow);
    const OverflowCell& from = row[size_t(source)];
    canvas.setBrushColor(Brush);
    canvas.setFont(look.Font);
    canvas.setFontColor(look.FontColor);
    // The grid line before the cell lies inside the running text; it is covered like the cell.
    const QRect area(row[size_t(ACol - first - 1)].Right, ARect.top(),
                     ARect.right() + 1 - row[size_t(ACol - first - 1)].Right, ARect.height());
    canvas.FillRect(area);
    const QRect fromRect(from.Left, ARect.top(), from.Right - from.Left, ARect.height());
    const QPoint offset = CellTextOffset(look.AlignmentHorz, look.AlignmentVert, fromRect.size(),
                                         QSize(canvas.TextWidth(text), canvas.TextHeight()));
    canvas.TextRect(area, fromRect.left() + offset.x(), fromRect.top() + offset.y(), text);
}

TGridRect TSortGrid::ChangedCellArea(int32_t ACol, int32_t ARow) const {
    return TGridRect{ACol, ARow, std::max(ACol, ColCount() - 1), ARow};
}

void TSortGrid::DrawCell(int32_t ACol, int32_t ARow, const QRect& ARect, TGridDrawState AState) {
    GridCanvas& canvas = *Canvas();
    if (IsRowBlanked(ARow)) {
        canvas.FillRect(BlankedRowStrip(ARect, width()));
        return;
    }

    // What the grid set for the cell; the formats of the cells a text runs on from start from it too.
    const QFont baseFont = canvas.Font();
    const TColor baseBrush = canvas.BrushColor();
    const TColor baseFontColor = canvas.FontColor();
    bool checkBox = false, combobox = false, ellipsis = false;
    const TFormatOptions f = CellLook(ACol, ARow, checkBox, combobox, ellipsis);

    canvas.setFont(f.Font);
    canvas.setFontColor(f.FontColor);
    canvas.setBrushColor(f.BrushColor);

    const bool sortHeader = ARow == 0 && m_sortOptions.CanSort() && ACol == m_sortOptions.SortCol();
    QString text = Cells(ACol, ARow);
    if (ARow == 0)
        text = ShortenHeaderText(text, HeaderTextRoom(ColWidths(ACol), sortHeader),
                                 [&canvas](const QString& s) { return canvas.TextWidth(s); });
    // The text's size matters only where it is not placed from the top left; measuring it costs as
    // much as drawing it.
    const bool needWidth = f.AlignmentHorz == taRightJustify || f.AlignmentHorz == taCenter;
    const bool needHeight = f.AlignmentVert == taBottomJustify || f.AlignmentVert == taMiddle;
    QPoint offset =
        CellTextOffset(f.AlignmentHorz, f.AlignmentVert, ARect.size(),
                       QSize(needWidth ? canvas.TextWidth(text) : 0, needHeight ? canvas.TextHeight() : 0));
    if (sortHeader)
        offset.rx() += kSortHeaderTextIndent;

    canvas.FillRect(ARect);
    if (!f.HideText)
        canvas.TextRect(ARect, ARect.left() + offset.x(), ARect.top() + offset.y(), text);
    if (text.isEmpty() && !checkBox && !combobox && !ellipsis) {
        canvas.setFont(baseFont);
        canvas.setBrushColor(baseBrush);
        canvas.setFontColor(baseFontColor);
        DrawRunOnText(ACol, ARow, ARect, f.BrushColor);
        canvas.setFont(f.Font);
        canvas.setFontColor(f.FontColor);
        canvas.setBrushColor(f.BrushColor);
    }

    if (sortHeader) {
        const QRect dest = SortIndicatorRect(ARect.left(), RowHeights(0), ColWidths(ACol));
        const QImage& bitmap =
            m_sortOptions.SortDirection() == sdDescending ? cellbitmaps::Down() : cellbitmaps::Up();
        canvas.DrawImage(dest, bitmap, QRect(QPoint(0, 0), dest.size()));
    }

    if (checkBox) {
        const TCellGlyphPlace place = CheckBoxPlace(ARect, RowHeights(ARow));
        canvas.DrawImage(place.dest,
                         Cells(ACol, ARow) == kChecked ? cellbitmaps::Checked() : cellbitmaps::Unchecked(),
                         place.source);
    }
    if (ARow == Row()) {
        if (combobox && (ACol == Col() || EditorMode())) {
            const TCellGlyphPlace place = CellButtonPlace(ARect);
            canvas.DrawImage(place.dest, cellbitmaps::ComboBox(), place.source);
        } else if (ellipsis && ACol != Col()) {
            const TCellGlyphPlace place = CellButtonPlace(ARect);
            canvas.DrawImage(place.dest, cellbitmaps::Ellipsis(), place.source);
        }
    }

    if (f.Bevel != cbNone && ACol >= 0 && ARow >= 1) {
        std::vector<QLine> shadow, highlight;
        CellBevelLines(ARect, Options().testFlag(goFixedVertLine), Options().testFlag(goFixedHorzLine),
                       shadow, highlight);
        if (!shadow.empty()) {
            canvas.PolySegments(shadow, 1, f.ShadowColor);
            canvas.PolySegments(highlight, 1, f.HighlightColor);
        }
    }

    // OnDrawCell comes last; the string grid's own text was drawn above.
    TMyDrawGrid::DrawCell(ACol, ARow, ARect, AState);
}

void TSortGrid::SetChecked(int32_t ACol, int32_t ARow, bool State) {
    bool checkBox = false, combobox = false, ellipsis = false;
    GetCellFormat(ACol, ARow, checkBox, combobox, ellipsis);
    if (!checkBox)
        return;
    setCells(ACol, ARow, State ? kChecked : QString());
    RedrawRow(ARow);
    if (OnSetChecked)
        OnSetChecked(this, ACol, ARow, State);
}

bool TSortGrid::GetChecked(int32_t ACol, int32_t ARow) {
    bool checkBox = false, combobox = false, ellipsis = false;
    GetCellFormat(ACol, ARow, checkBox, combobox, ellipsis);
    return checkBox && Cells(ACol, ARow) == kChecked;
}
