#include "app/window/TFormMain.h"

#include "app/journal/ProtocolJournal.h"
#include "sortgrid/TSortGrid.h"

#include <QScopedValueRollback>
#include <QToolButton>
#include <algorithm>

void TFormMain::AddProtocolRow(const QString& who, const QString& time, const QString& speed,
                               const QString& note) {
    {
        const QScopedValueRollback<bool> adding(m_addingRow, true);
        // The grid shows its first line after a new row; the lines of the run under way stay in view.
        const int32_t top = SortGrid1->TopRow();
        SortGrid1->AddRow(QStringList{who, time, speed, note});
        RestoreProtocolView(top, SortGrid1->RowCount() - 1);
    }
    if (m_journal)
        m_journal->Line(ProtocolLine{who, time, speed, note});
}

void TFormMain::ShowLastRun() {
    // With fewer than four data rows (the protocol was cleared during the run) stay below the header.
    const int32_t last = SortGrid1->RowCount() - 1;
    const int32_t first = std::max<int32_t>(1, SortGrid1->RowCount() - 4);
    SortGrid1->setTopRow(first);
    SortGrid1->setSelection(TGridRect{0, first, 3, last});
}

void TFormMain::RestoreProtocolView(int32_t top, int32_t row) {
    const int32_t last = SortGrid1->RowCount() - 1;
    const int32_t visible = std::max<int32_t>(1, SortGrid1->VisibleRowCount());
    row = std::clamp<int32_t>(row, 1, std::max<int32_t>(1, last));
    top = std::clamp<int32_t>(top, 1, std::max<int32_t>(1, last - visible + 1));
    if (row >= top + visible)
        top = row - visible + 1;
    else if (row < top)
        top = row;
    SortGrid1->setTopRow(top);
}

QList<ProtocolLine> TFormMain::ProtocolLines() const {
    QList<ProtocolLine> lines;
    for (int32_t r = 1; r < SortGrid1->RowCount(); ++r) {
        if (SortGrid1->IsRowEmpty(r))
            continue;
        lines.append(ProtocolLine{SortGrid1->Cells(0, r), SortGrid1->Cells(1, r), SortGrid1->Cells(2, r),
                                  SortGrid1->Cells(3, r)});
    }
    return lines;
}

void TFormMain::UpdateProtocolButtons() {
    sbCLS->setEnabled(SortGrid1->RowCount() > 1);
    sbWord->setEnabled(sbCLS->isEnabled());
    sbSave->setEnabled(sbCLS->isEnabled());
    sbPrint->setEnabled(sbCLS->isEnabled());
    sbExcel->setEnabled(sbWord->isEnabled());
}

void TFormMain::FormResize() {
    for (int32_t c = 0; c < 3; ++c)
        SortGrid1->setColWidths(c, 64);
    SortGrid1->setColWidths(
        3, SortGrid1->ClientWidth() -
               (SortGrid1->ColWidths(0) + SortGrid1->ColWidths(1) + SortGrid1->ColWidths(2)) - 24);
}
