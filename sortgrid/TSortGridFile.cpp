// The protocol grid's files: the protocol file (save and load) and the semicolon file.
#include "sortgrid/TSortGrid.h"

#include "core/CommaText.h"
#include "grids/PackedRow.h"
#include "platform/Dialogs.h"
#include "platform/TextFile.h"
#include "sortgrid/EConvertError.h"
#include "sortgrid/ProtocolFile.h"

#include <QCoreApplication>
#include <QScopeGuard>
#include <QScopedValueRollback>

#include <new>

namespace {

QString JoinLines(const QStringList& lines) {
    qsizetype size = 0;
    for (const QString& l : lines)
        size += l.size() + 2;
    QString text;
    text.reserve(size);
    for (const QString& l : lines) {
        text += l;
        text += QLatin1String("\r\n");
    }
    return text;
}

// The reason goes on its own line below the name, which stays as it always read.
void ReportWriteFailure(const QString& FileName, const QString& reason) {
    QString text = QStringLiteral("Can't write to file:\r") + FileName;
    if (!reason.isEmpty())
        text += u'\n' + reason;
    platform::dialogs().showMessage(text);
}

// Why a file was refused: a conversion error says what did not convert; anything else only that
// the file is not one the grid can take.
QString RefusalReason(const std::exception_ptr& failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const Exception& e) {
        return e.Message();
    } catch (const std::bad_alloc&) {
        return QCoreApplication::translate("TSortGrid", "Nicht genug Arbeitsspeicher.");
    } catch (...) {
        return QCoreApplication::translate("TSortGrid", "keine Protokolldatei");
    }
}

ProtocolLoad Refused(const std::exception_ptr& failure) {
    ProtocolLoad result;
    result.Reason = RefusalReason(failure);
    return result;
}

} // namespace

QStringList TSortGrid::RowCells(int32_t ARow) const {
    QStringList cells;
    RowCellsInto(ARow, cells);
    return cells;
}

void TSortGrid::RowCellsInto(int32_t ARow, QStringList& cells) const {
    // The row's storage is looked up once, not once per cell; clear() keeps the list's capacity.
    cells.clear();
    const int32_t cols = ColCount();
    cells.reserve(cols);
    const PackedRow* stored = StoredRow(ARow);
    for (int32_t c = 0; c < cols; ++c)
        cells << (stored ? stored->text(c).toString() : QString());
}

void TSortGrid::AppendRowLines(QString& text, qsizetype bytesPerRow,
                               void (*appendLine)(QString&, const QStringList&)) const {
    text.reserve(text.size() + qsizetype(std::max(0, RowCount())) * bytesPerRow);
    QStringList cells;
    const int32_t cols = ColCount();
    for (int32_t r = 0; r < RowCount(); ++r) {
        // The stored characters in place, without a copy: the line is written before anything
        // changes the row.
        cells.clear();
        const PackedRow* stored = StoredRow(r);
        for (int32_t c = 0; c < cols; ++c) {
            const QStringView view = stored ? stored->text(c) : QStringView();
            cells << QString::fromRawData(view.data(), view.size());
        }
        appendLine(text, cells);
        text += QLatin1String("\r\n");
    }
}

ProtocolFileData TSortGrid::FileHeaderData(const std::optional<WindowLayout>& window) {
    ProtocolFileData data;
    data.ColumnFormatsFirst = m_columnFormatsFirst;
    data.ColumnFormats.emplace();
    for (int i = 0; i < m_columnFormats.Count(); ++i)
        data.ColumnFormats->push_back(*m_columnFormats.Items(i));
    data.RowFormats.emplace();
    for (int i = 0; i < m_rowFormats.Count(); ++i)
        data.RowFormats->push_back(*m_rowFormats.Items(i));
    for (int i = 0; i < m_userSettings->Count(); ++i)
        data.UserSettings << m_userSettings->Strings(i);
    if (window) {
        auto edge = [](const std::optional<int>& value) {
            return value ? QString::number(*value) : QStringLiteral("-1");
        };
        data.Layout << QString::number(window->Width) << QString::number(window->Height);
        for (int32_t c = 0; c < ColCount(); ++c)
            data.Layout << QString::number(ColWidths(c));
        data.Layout << edge(window->Left) << edge(window->Top);
    } else {
        for (int32_t i = 0; i < ColCount() + 4; ++i)
            data.Layout << QStringLiteral("-1");
    }
    data.ColCount = ColCount();
    return data;
}

std::optional<WindowLayout> TSortGrid::OwnWindowLayout(bool WithLayout) const {
    if (!WithLayout)
        return std::nullopt;
    return WindowLayout::Of(*window());
}

QStringList TSortGrid::BuildFileLines(bool WithLayout) {
    ProtocolFileData data = FileHeaderData(OwnWindowLayout(WithLayout));
    data.Rows.reserve(size_t(std::max(0, RowCount())));
    for (int32_t r = 0; r < RowCount(); ++r)
        data.Rows.push_back(RowCells(r));
    return BuildProtocolLines(data);
}

QString TSortGrid::BuildFileText(const std::optional<WindowLayout>& window) {
    // The lines of BuildFileLines joined by CR LF, with the rows written straight into the text
    // instead of as one string per line.
    QString text = JoinLines(BuildProtocolLines(FileHeaderData(window)));
    AppendRowLines(text, 56, AppendCommaText);
    return text;
}

void TSortGrid::SaveToFile(const QString& FileName, bool WithLayout) {
    saveProtocol(FileName, OwnWindowLayout(WithLayout));
}

void TSortGrid::saveProtocol(const QString& FileName, const std::optional<WindowLayout>& window) {
    bool ok = false;
    QString reason;
    try {
        ok = platform::WriteTextFile(FileName, BuildFileText(window), platform::TextFileKind::Plain, &reason);
    } catch (const std::bad_alloc&) {
        reason = QCoreApplication::translate("TSortGrid", "Nicht genug Arbeitsspeicher.");
    } catch (...) {
        ok = false;
    }
    if (!ok)
        ReportWriteFailure(FileName, reason);
}

void TSortGrid::SaveToCsvFile(const QString& FileName) {
    bool ok = false;
    QString reason;
    try {
        QString text;
        AppendRowLines(text, 52, AppendCsvLine);
        ok = platform::WriteTextFile(FileName, text, platform::TextFileKind::Csv, &reason);
    } catch (const std::bad_alloc&) {
        reason = QCoreApplication::translate("TSortGrid", "Nicht genug Arbeitsspeicher.");
    } catch (...) {
        ok = false;
    }
    if (!ok)
        ReportWriteFailure(FileName, reason);
}

bool TSortGrid::LoadFromFile(const QString& FileName, bool WithLayout) {
    const ProtocolLoad result = loadProtocol(FileName, WithLayout ? FileLayout::Use : FileLayout::Skip);
    if (result.Window)
        result.Window->ApplyTo(*window());
    return result.Loaded;
}

ProtocolLoad TSortGrid::loadProtocol(const QString& FileName, FileLayout layout) {
    try {
        QString readError;
        std::optional<QString> text = platform::ReadTextFile(FileName, &readError);
        if (!text) {
            ProtocolLoad result;
            result.Reason = readError.isEmpty()
                                ? QCoreApplication::translate("TSortGrid", "keine Protokolldatei")
                                : readError;
            return result;
        }
        // The whole file is read into plain values first: a bad file leaves the open protocol alone.
        ProtocolFileData data = ParseProtocolText(*text, layout == FileLayout::Use, RowStorage::Packed);
        text.reset();
        return ApplyFileData(data, layout);
    } catch (...) {
        return Refused(std::current_exception());
    }
}

bool TSortGrid::ParseFileLines(const QStringList& Lines, bool WithLayout) {
    try {
        // The whole file is read into plain values first: a bad file leaves the open protocol alone.
        ProtocolFileData data = ParseProtocolLines(Lines, WithLayout);
        const ProtocolLoad result = ApplyFileData(data, WithLayout ? FileLayout::Use : FileLayout::Skip);
        if (result.Window)
            result.Window->ApplyTo(*window());
        return result.Loaded;
    } catch (...) {
        return false;
    }
}

ProtocolLoad TSortGrid::ApplyFileData(ProtocolFileData& data, FileLayout layout) {
    ProtocolLoad result;
    // Rows hidden by a filter are part of the protocol being replaced.
    if (Filtered())
        setFiltered(false);
    BeginUpdate();
    auto endUpdate = qScopeGuard([this] { EndUpdate(); });
    Clear();
    if (data.ColumnFormatsFirst)
        m_columnFormatsFirst = *data.ColumnFormatsFirst;
    m_userSettings->Clear();
    for (const QString& s : data.UserSettings)
        m_userSettings->Add(s);

    const bool packed = !data.PackedRows.empty();
    const auto rows = int32_t(packed ? data.PackedRows.size() : data.Rows.size());
    SetBulkUpdate(true);
    {
        auto bulkEnd = qScopeGuard([this] { SetBulkUpdate(false); });
        for (int32_t r = 0; r < rows; ++r) {
            // A row stored earlier (deleted, or past the end) must not show through a short line.
            BlankStoredRow(r);
            if (packed) {
                FillRowTexts(r, data.PackedRows[size_t(r)].release());
                continue;
            }
            // Freed right away, so the next rows' cells reuse the memory while it is warm.
            QStringList texts = std::move(data.Rows[size_t(r)]);
            FillRowTexts(r, std::move(texts));
        }
    }
    {
        // The count changes add a setting per new row and column; where the file has its own
        // lists, which replace them below, making 100,000 settings only to free them is spared.
        const QScopedValueRollback replaced(m_formatListsReplaced,
                                            data.ColumnFormats.has_value() && data.RowFormats.has_value());
        setRowCount(rows);
        setColCount(data.ColCount);
    }
    // The file's settings replace the lists afterwards, or every load would add the file's rows'
    // settings once more.
    if (data.ColumnFormats) {
        m_columnFormats.Clear();
        for (const TFontSetting& s : *data.ColumnFormats)
            *m_columnFormats.Add() = s;
    }
    if (data.RowFormats) {
        m_rowFormats.Clear();
        for (const TFontSetting& s : *data.RowFormats)
            *m_rowFormats.Add() = s;
    }

    if (layout == FileLayout::Use) {
        // The columns are the grid's own; the window's size and position are its window's to apply.
        const int32_t cols = ColCount();
        for (int32_t i = 0; i < cols; ++i)
            setColWidths(i, data.Layout[i + 2].toInt());
        result.Window = WindowLayout::FromLayoutLine(data.Layout, cols);
    } else {
        AutoSizeColumns(true);
    }

    m_sortOptions.setSortDirection(sdAscending);
    SortByColumn(0);
    SetModified(false);
    endUpdate.dismiss();
    EndUpdate();
    result.Loaded = true;
    return result;
}
