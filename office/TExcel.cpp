#include "office/TExcel.h"

using platform::OleObject;

namespace {
const QString kProgId = QStringLiteral("Excel.Application");
}

TExcel::TExcel(QObject* AOwner) : QObject(AOwner) {}

TExcel::~TExcel() = default;

void TExcel::setExcelNew(bool value) {
    if (m_excelNew == value)
        return;
    m_excelNew = value;
}

void TExcel::setHorizontal(bool value) {
    if (m_horizontal == value)
        return;
    m_horizontal = value;
}

void TExcel::setLine(int value) {
    if (m_line == value)
        return;
    m_line = value;
}

bool TExcel::Connect() {
    auto& automation = platform::automation();
    platform::AutomationRef app;
    if (!m_excelNew) {
        try {
            app = automation.GetActiveObject(kProgId);
        } catch (const platform::EOleException&) {
            // not running: start one below
        }
    }
    if (!app) {
        try {
            app = automation.CreateObject(kProgId);
        } catch (const platform::EOleException&) {
            return false;
        }
    }
    m_application = OleObject(app);
    m_application.Put(QStringLiteral("visible"), true);
    return true;
}

void TExcel::NewWorkbook() {
    m_application.GetObject(QStringLiteral("Workbooks")).Call(QStringLiteral("add"));
    // A new workbook is filled from its first row, not below where the previous export ended.
    setLine(1);
}

void TExcel::WriteLine() {
    QList<platform::OleVariant> cells;
    for (int i = 0; i < m_values.Count(); ++i)
        cells.append(m_values.Strings(i));
    WriteLine(cells);
}

void TExcel::WriteLine(const QList<platform::OleVariant>& cells) {
    for (int i = 1; i <= cells.size(); ++i) {
        if (m_horizontal)
            m_application.Put(QStringLiteral("Cells"), {m_line, i}, cells[i - 1]);
        else
            m_application.Put(QStringLiteral("Cells"), {i, m_line}, cells[i - 1]);
    }
    ++m_line;
}

void TExcel::AutoFitColumns() {
    m_application.GetObject(QStringLiteral("cells")).Call(QStringLiteral("select"));
    m_application.GetObject(QStringLiteral("Selection"))
        .GetObject(QStringLiteral("Columns"))
        .Call(QStringLiteral("Autofit"));
}
