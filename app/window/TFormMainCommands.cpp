// The operator's commands on the protocol: delete a line, clear, copy, save, load, print, and the
// exports to the word processor and the spreadsheet.
#include "app/window/TFormMain.h"

#include "app/window/TApplication.h"
#include "app/window/TFDlgYesNo.h"
#include "core/Exception.h"
#include "office/Automation.h"
#include "office/FileOpener.h"
#include "office/TExcel.h"
#include "platform/Dialogs.h"
#include "platform/SystemClock.h"
#include "sortgrid/TSortGrid.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QScopeGuard>
#include <QToolButton>
#include <algorithm>
#include <utility>

namespace {

QString Now() {
    return DateStamp(platform::systemClock().localDateTime());
}

QString ProgramFolder() {
    return QFileInfo(QApplication::applicationFilePath()).absolutePath();
}

// Runs a command; an error it raises is shown to the operator and ends the command there.
template <typename F> void Reported(F&& command) {
    try {
        command();
    } catch (...) {
        ShowException(std::current_exception());
    }
}

QString ErrorText(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const Exception& e) {
        return e.Message();
    } catch (const std::exception& e) {
        return QString::fromLocal8Bit(e.what());
    } catch (...) {
        return QCoreApplication::translate("TFormMain", "Unbekannter Fehler");
    }
}

// While it lives, collects the files an export wrote that no program could be started to show, and
// then tells the operator where they are.
class NotShownReport {
public:
    NotShownReport() {
        platform::setNotShownHandler([this](const QString& path) { m_files.append(path); });
    }
    ~NotShownReport() { platform::setNotShownHandler({}); }
    NotShownReport(const NotShownReport&) = delete;
    NotShownReport& operator=(const NotShownReport&) = delete;

    void show() {
        for (const QString& file : std::exchange(m_files, {}))
            platform::dialogs().showMessage(
                QCoreApplication::translate(
                    "TFormMain",
                    "Die Datei wurde geschrieben:\n%1\n\nEs konnte kein Programm gestartet werden, "
                    "das sie anzeigt. Bitte öffnen Sie sie selbst.")
                    .arg(QDir::toNativeSeparators(file)));
    }

private:
    QStringList m_files;
};

} // namespace

void TFormMain::bindProtocolCommands() {
    connect(sbCLS, &QToolButton::clicked, this, [this] { sbCLSClick(sbCLS); });
    connect(sbLoad, &QToolButton::clicked, this, [this] { sbLoadClick(sbLoad); });
    connect(sbPrint, &QToolButton::clicked, this, [this] { sbPrintClick(sbPrint); });
    connect(sbWord, &QToolButton::clicked, this, [this] { sbWordClick(sbWord); });
    connect(sbExcel, &QToolButton::clicked, this, [this] { sbExcelClick(sbExcel); });
    connect(sbSave, &QToolButton::clicked, this, [this] { sbSaveClick(sbSave); });
    connect(mDeleteLine, &QAction::triggered, this, [this] { StrokadeleteClick(mDeleteLine); });
    connect(Copy1, &QAction::triggered, this, [this] { Copy1Click(Copy1); });

    SaveDialog1.Filter = SaveDialogFilter();
    SaveDialog1.FilterIndex = int(SaveFormat::Word);
    SaveDialog1.DefaultExt = QStringLiteral(".csv");
    OpenDialog1.Filter = OpenDialogFilter();
    OpenDialog1.DefaultExt = QStringLiteral(".txt");
    SaveDialog1.InitialDir = OpenDialog1.InitialDir = DialogStartFolder(ProgramFolder());
    bindProtocolKeys();
}

void TFormMain::CreateSpreadsheetComponent() {
    Excel1 = new TExcel(this);
}

void TFormMain::DestroySpreadsheetComponent() {
    delete Excel1;
    Excel1 = nullptr;
}

ProtocolRows TFormMain::ProtocolTexts() const {
    ProtocolRows rows;
    rows.reserve(SortGrid1->RowCount());
    for (int32_t r = 0; r < SortGrid1->RowCount(); ++r) {
        QStringList cells;
        for (int32_t c = 0; c < SortGrid1->ColCount(); ++c)
            cells << SortGrid1->Cells(c, r);
        rows.append(cells);
    }
    return rows;
}

bool TFormMain::askYesNo(const QString& question) {
    if (!FDlgYesNo)
        CreateDialogs();
    FDlgYesNo->LabQuestion->setText(question);
    return FDlgYesNo->ShowModal() == TFDlgYesNo::mrYes;
}

void TFormMain::StrokadeleteClick(QObject*) {
    if (!askYesNo(tr("Zeile löschen ?")))
        return;
    try {
        // The header is no protocol line; a selection on it deletes nothing.
        const int32_t row = SortGrid1->Selection().Top;
        if (row >= SortGrid1->FixedRows() && row < SortGrid1->RowCount()) {
            const int32_t top = SortGrid1->TopRow();
            SortGrid1->DeleteRow(row);
            // The line that took the deleted one's place is the current one, and the view stays.
            SortGrid1->MoveTo(0, std::min(row, SortGrid1->RowCount() - 1), false);
            RestoreProtocolView(top, SortGrid1->Row());
        }
    } catch (...) {
        // A line that cannot be deleted stays; the operator sees it still there.
    }
}

void TFormMain::sbCLSClick(QObject*) {
    if (!askYesNo(tr("Zeitenprotokoll  löschen ?")))
        return;
    SortGrid1->Clear();
    FormResize();
    UpdateProtocolButtons();
}

void TFormMain::Copy1Click(QObject*) {
    QApplication::clipboard()->setText(ClipboardText(ProtocolTexts()));
}

void TFormMain::sbSaveClick(QObject*) {
    Reported([this] {
        SaveDialog1.FileName = Now();
        const platform::FileDialogResult chosen = platform::dialogs().saveFile(SaveDialog1);
        if (!chosen.Accepted)
            return;
        SaveDialog1.FilterIndex = chosen.FilterIndex;
        const QString& name = chosen.FileName;
        switch (SaveFormatOfFilter(chosen.FilterIndex)) {
        case SaveFormat::Csv:
            SortGrid1->SaveToCsvFile(name);
            break;
        case SaveFormat::Word: {
            QString why;
            if (!ExportToWord(WordExportMode::SaveAs, name, &why))
                platform::dialogs().showMessage(
                    tr("Datei kann nicht geschrieben werden: %1\n%2").arg(name, why));
            break;
        }
        case SaveFormat::Text:
            SortGrid1->SaveToFile(name, false);
            break;
        }
    });
}

void TFormMain::sbLoadClick(QObject*) {
    Reported([this] {
        const platform::FileDialogResult chosen = platform::dialogs().openFile(OpenDialog1);
        if (!chosen.Accepted)
            return;
        const ProtocolLoad load = SortGrid1->loadProtocol(chosen.FileName, FileLayout::Skip);
        if (!load.Loaded) {
            platform::dialogs().showMessage(
                tr("Datei kann nicht gelesen werden: %1\n%2").arg(chosen.FileName, load.Reason));
            return;
        }
        FormResize();
        UpdateProtocolButtons();
    });
}

void TFormMain::sbPrintClick(QObject*) {
    Reported([this] {
        TPrintOptions* options = SortGrid1->PrintOptions();
        options->setJobTitle(QApplication::applicationName());
        options->setPageTitle(options->JobTitle() + QStringLiteral("       ") + Now());
        options->setFromRow(1);
        options->setToRow(uint32_t(SortGrid1->RowCount() - 1));
        SortGrid1->Print();
    });
}

bool TFormMain::ExportToWord(WordExportMode mode, const QString& fileName, QString* failure) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto restoreCursor = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
    try {
        RunWordExport(platform::automation(), mode, m_defaultDocument, ProtocolTexts(), fileName);
        return true;
    } catch (...) {
        sbWord->setEnabled(false);
        if (failure)
            *failure = ErrorText(std::current_exception());
        return false;
    }
}

void TFormMain::sbWordClick(QObject*) {
    // The button's export keeps silent about a failure: the disabled button says it.
    NotShownReport notShown;
    ExportToWord(WordExportMode::Show, Now() + QStringLiteral(".doc"));
    notShown.show();
}

void TFormMain::sbExcelClick(QObject*) {
    NotShownReport notShown;
    std::exception_ptr failure;
    {
        // Every cell is a call of its own: a long protocol takes a while.
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const auto restoreCursor = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
        try {
            ExportRowsToSpreadsheet(*Excel1, ProtocolTexts());
        } catch (...) {
            failure = std::current_exception();
        }
    }
    notShown.show();
    if (failure)
        ShowException(failure);
}
