// Cell drawing of the protocol grid: formats, colours, alignment, the header with its sort
// indicator, check boxes, combobox and ellipsis buttons and bevel lines.
#include "sortgrid/TSortGrid.h"

#include "grids/GridCanvas.h"
#include "sortgrid/CellBitmaps.h"
#include "sortgrid/CellWidgetGeometry.h"
#include "sortgrid/SortGridGeometry.h"

namespace {

const QString kChecked = QStringLiteral("true");

const TFontSetting* ActiveSetting(TFontList& list, int32_t index) {
    if (index < 0 || index >= list.Count())
        return nullptr;
    const TFontSetting* s = list.Items(index);
    return s->Active() ? s : nullptr;
}

} // namespace

void TSortGrid::DrawCell(int32_t ACol, int32_t ARow, const QRect& ARect, TGridDrawState AState) {
    GridCanvas& canvas = *Canvas();
    if (IsRowBlanked(ARow)) {
        canvas.FillRect(BlankedRowStrip(ARect, width()));
        return;
    }

    bool checkBox = false, combobox = false, ellipsis = false;
    TFormatOptions f = GetCellFormat(ACol, ARow, checkBox, combobox, ellipsis);
    if (checkBox)
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

    canvas.setFont(f.Font);
    canvas.setFontColor(f.FontColor);
    canvas.setBrushColor(f.BrushColor);

    const bool sortHeader = ARow == 0 && m_sortOptions.CanSort() && ACol == m_sortOptions.SortCol();
    QString text = Cells(ACol, ARow);
    if (ARow == 0)
        text = ShortenHeaderText(text, HeaderTextRoom(ColWidths(ACol), sortHeader),
                                 [&canvas](const QString& s) { return canvas.TextWidth(s); });
    QPoint offset = CellTextOffset(f.AlignmentHorz, f.AlignmentVert, ARect.size(),
                                   QSize(canvas.TextWidth(text), canvas.TextHeight()));
    if (sortHeader)
        offset.rx() += kSortHeaderTextIndent;

    canvas.FillRect(ARect);
    if (!f.HideText)
        canvas.TextRect(ARect, ARect.left() + offset.x(), ARect.top() + offset.y(), text);

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
