#include "office/ExcelServer.h"

#include "office/FileOpener.h"
#include "office/XlsxFile.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>
#include <memory>
#include <vector>

namespace platform {

namespace {

const QString kProgId = QStringLiteral("Excel.Application");
constexpr int kMaxRows = 1048576;
constexpr int kMaxCols = 16384;

// What a cell keeps of a value put into it: numbers stay numbers, everything else is its text.
SheetCell CellContent(const OleVariant& value) {
    if (value.IsDouble() || value.IsInt())
        return value.ToDouble();
    return value.ToString();
}

enum class Shape { AllCells, AllColumns, Cell, Column };

struct Workbook {
    SheetCells cells;
    std::map<int, double> widths;
    QString fileName; // fixed at the first writing
    bool dirty = false;
    bool shown = false;
};

/// What the application and the objects it handed out share.
struct ExcelState {
    ExcelServerSettings settings;
    bool visible = false;
    std::vector<std::shared_ptr<Workbook>> workbooks;
    std::shared_ptr<Workbook> active;
    // The selected range, kept as a description so that no object refers back to the state.
    std::shared_ptr<Workbook> selectionBook;
    Shape selectionShape = Shape::Cell;
    int selectionRow = 1, selectionCol = 1;

    ~ExcelState() {
        for (const auto& wb : workbooks)
            if (wb->dirty)
                save(*wb); // the application ends: keep what was written, reporting to no one
    }

    QString folder() const {
        if (!settings.folder.isEmpty())
            return settings.folder;
        return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    }

    QString newFileName() const {
        const QDir dir(folder());
        const QDateTime now = settings.now ? settings.now() : QDateTime::currentDateTime();
        const QString stem = now.toString(QStringLiteral("yyyy-MM-dd-hh-mm"));
        for (int n = 1;; ++n) {
            const QString name = dir.filePath(n == 1 ? stem + QStringLiteral(".xlsx")
                                                     : QStringLiteral("%1-%2.xlsx").arg(stem).arg(n));
            bool taken = QFileInfo::exists(name);
            for (const auto& wb : workbooks)
                taken = taken || wb->fileName == name;
            if (!taken)
                return name;
        }
    }

    /// Writes `wb`; returns an empty text or why it failed.
    QString save(Workbook& wb) {
        if (wb.fileName.isEmpty()) {
            if (!QDir().mkpath(folder()))
                return QStringLiteral("cannot create the folder %1").arg(folder());
            wb.fileName = newFileName();
        }
        const QString error = WriteXlsxFile(wb.fileName, QStringLiteral("Tabelle1"), wb.cells, wb.widths);
        if (error.isEmpty())
            wb.dirty = false;
        return error;
    }
};

class ExcelRange;

/// Base of the server's objects: they fail with "Excel.Application.<member>: ..." texts.
class ExcelObject : public DispatchObject {
public:
    explicit ExcelObject(std::shared_ptr<ExcelState> state) : m_state(std::move(state)) {}

protected:
    Workbook& activeWorkbook(const QString& member) const {
        if (!m_state->active)
            Fail(member, QStringLiteral("no workbook is open"));
        return *m_state->active;
    }
    std::pair<int, int> cellIndex(const QString& member, const OleArgs& args) const {
        const int row = args[0].value.ToInt();
        const int col = args[1].value.ToInt();
        if (row < 1 || row > kMaxRows || col < 1 || col > kMaxCols)
            Fail(member, QStringLiteral("cell (%1, %2) is outside the sheet").arg(row).arg(col));
        return {row, col};
    }
    std::shared_ptr<ExcelState> m_state;
};

/// A range of the active sheet: all cells, all columns, one cell or one column.
class ExcelRange : public ExcelObject {
public:
    ExcelRange(std::shared_ptr<ExcelState> state, std::shared_ptr<Workbook> wb, Shape shape, int row = 0,
               int col = 0)
        : ExcelObject(std::move(state)), m_wb(std::move(wb)), m_shape(shape), m_row(row), m_col(col) {
        AddMethod(QStringLiteral("Select"), [this](const OleArgs& a) {
            RequireArgs(QStringLiteral("Select"), a, 0);
            m_state->selectionBook = m_wb;
            m_state->selectionShape = m_shape;
            m_state->selectionRow = m_row;
            m_state->selectionCol = m_col;
            return OleVariant(true);
        });
        AddGetter(QStringLiteral("Columns"), [this](const OleArgs& a) {
            RequireArgs(QStringLiteral("Columns"), a, 0);
            const bool one = m_shape == Shape::Cell || m_shape == Shape::Column;
            return OleVariant(AutomationRef(std::make_shared<ExcelRange>(
                m_state, m_wb, one ? Shape::Column : Shape::AllColumns, 0, m_col)));
        });
        AddMethod(QStringLiteral("Autofit"), [this](const OleArgs& a) {
            RequireArgs(QStringLiteral("Autofit"), a, 0);
            autofit();
            return OleVariant(true);
        });
        AddGetter(QStringLiteral("Value"), [this](const OleArgs& a) {
            RequireArgs(QStringLiteral("Value"), a, 0);
            if (m_shape != Shape::Cell)
                Fail(QStringLiteral("Value"), QStringLiteral("the range is not a single cell"));
            const auto it = m_wb->cells.find({m_row, m_col});
            if (it == m_wb->cells.end())
                return OleVariant();
            if (const double* number = std::get_if<double>(&it->second))
                return OleVariant(*number);
            return OleVariant(std::get<QString>(it->second));
        });
        AddSetter(QStringLiteral("Value"), [this](const OleArgs& a) {
            RequireArgs(QStringLiteral("Value"), a, 1);
            if (m_shape != Shape::Cell)
                Fail(QStringLiteral("Value"), QStringLiteral("the range is not a single cell"));
            m_wb->cells[{m_row, m_col}] = CellContent(a[0].value);
            m_wb->dirty = true;
            return OleVariant();
        });
    }

    QString TypeName() const override { return QStringLiteral("Range"); }

private:
    void autofit() {
        if (m_shape == Shape::Cell)
            Fail(QStringLiteral("Autofit"), QStringLiteral("only columns can be fitted"));
        std::map<int, double> fit;
        for (const auto& [cell, content] : m_wb->cells) {
            if (m_shape == Shape::Column && cell.second != m_col)
                continue;
            double& w = fit[cell.second];
            w = std::max(w, FitColumnWidth(SheetCellText(content)));
        }
        for (const auto& [col, width] : fit)
            if (width > 0.0)
                m_wb->widths[col] = std::min(width, 255.0);
        m_wb->dirty = true;
        const QString error = m_state->save(*m_wb);
        if (!error.isEmpty())
            Fail(QStringLiteral("Autofit"), QStringLiteral("the workbook could not be saved: %1").arg(error));
        if (m_state->visible && !m_wb->shown) {
            m_wb->shown = true;
            ShowWrittenFile(m_wb->fileName);
        }
    }

    std::shared_ptr<Workbook> m_wb;
    Shape m_shape;
    int m_row, m_col;
};

class ExcelWorkbooks : public ExcelObject {
public:
    explicit ExcelWorkbooks(std::shared_ptr<ExcelState> state) : ExcelObject(std::move(state)) {
        AddMethod(QStringLiteral("Add"), [this](const OleArgs& a) {
            RequireArgs(QStringLiteral("Add"), a, 0);
            if (m_state->active && m_state->active->dirty)
                m_state->save(*m_state->active);
            auto wb = std::make_shared<Workbook>();
            m_state->workbooks.push_back(wb);
            m_state->active = wb;
            m_state->selectionBook = wb;
            m_state->selectionShape = Shape::Cell;
            m_state->selectionRow = m_state->selectionCol = 1;
            return OleVariant();
        });
        AddGetter(QStringLiteral("Count"), [this](const OleArgs& a) {
            RequireArgs(QStringLiteral("Count"), a, 0);
            return OleVariant(int(m_state->workbooks.size()));
        });
    }
    QString TypeName() const override { return QStringLiteral("Workbooks"); }
};

class ExcelApplication : public ExcelObject {
public:
    explicit ExcelApplication(ExcelServerSettings settings) : ExcelObject(std::make_shared<ExcelState>()) {
        m_state->settings = std::move(settings);
        AddGetter(QStringLiteral("Visible"), [this](const OleArgs& a) {
            RequireArgs(QStringLiteral("Visible"), a, 0);
            return OleVariant(m_state->visible);
        });
        AddSetter(QStringLiteral("Visible"), [this](const OleArgs& a) {
            RequireArgs(QStringLiteral("Visible"), a, 1);
            m_state->visible = a[0].value.ToBool();
            return OleVariant();
        });
        AddGetter(QStringLiteral("Workbooks"), [this](const OleArgs& a) {
            RequireArgs(QStringLiteral("Workbooks"), a, 0);
            return OleVariant(AutomationRef(std::make_shared<ExcelWorkbooks>(m_state)));
        });
        AddGetter(QStringLiteral("Cells"), [this](const OleArgs& a) {
            const QString name = QStringLiteral("Cells");
            activeWorkbook(name);
            if (a.empty())
                return OleVariant(
                    AutomationRef(std::make_shared<ExcelRange>(m_state, m_state->active, Shape::AllCells)));
            RequireArgs(name, a, 2);
            const auto [row, col] = cellIndex(name, a);
            return OleVariant(
                AutomationRef(std::make_shared<ExcelRange>(m_state, m_state->active, Shape::Cell, row, col)));
        });
        AddSetter(QStringLiteral("Cells"), [this](const OleArgs& a) {
            const QString name = QStringLiteral("Cells");
            RequireArgs(name, a, 3);
            Workbook& wb = activeWorkbook(name);
            const std::pair<int, int> cell = cellIndex(name, a);
            wb.cells[cell] = CellContent(a[2].value);
            wb.dirty = true;
            return OleVariant();
        });
        AddGetter(QStringLiteral("Selection"), [this](const OleArgs& a) {
            RequireArgs(QStringLiteral("Selection"), a, 0);
            activeWorkbook(QStringLiteral("Selection"));
            return OleVariant(AutomationRef(
                std::make_shared<ExcelRange>(m_state, m_state->selectionBook, m_state->selectionShape,
                                             m_state->selectionRow, m_state->selectionCol)));
        });
    }
    QString TypeName() const override { return kProgId; }
};

} // namespace

void RegisterExcelServer(Automation& automation, ExcelServerSettings settings) {
    automation.RegisterServer(kProgId, [&automation, settings]() {
        auto app = std::make_shared<ExcelApplication>(settings);
        automation.RegisterActiveObject(kProgId, app);
        return AutomationRef(app);
    });
}

} // namespace platform
