#include "testing/FakeDialogs.h"

#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPrinter>

#include <stdexcept>

namespace platform {

namespace {

QString inFolder(const QString& fileName, const QString& folder) {
    if (QDir::isAbsolutePath(fileName) || folder.isEmpty())
        return fileName;
    return QDir(folder).filePath(fileName);
}

} // namespace

int FakeDialogs::execModal(QDialog& dialog) {
    ModalShown shown;
    shown.Name = dialog.objectName();
    shown.Title = dialog.windowTitle();
    if (auto* label = dialog.findChild<QLabel*>(QStringLiteral("LabQuestion")))
        shown.Question = label->text();
    m_modals.append(shown);
    if (m_modalScript.empty()) {
        // Nobody there: the form is closed the way Esc closes it.
        dialog.reject();
        return dialog.result();
    }
    auto operate = std::move(m_modalScript.front());
    m_modalScript.pop_front();
    return operate(dialog);
}

FileDialogResult FakeDialogs::saveFile(const FileDialogOptions& options) {
    m_saveRequests.append(options);
    FileDialogResult result;
    if (m_saveScript.empty())
        return result;
    const FileChoice choice = m_saveScript.front();
    m_saveScript.pop_front();
    const int count = int(parseFileFilter(options.Filter).size());
    int index = choice.FilterIndex > 0 ? choice.FilterIndex : options.FilterIndex;
    if (index < 1 || index > count)
        index = count > 0 ? 1 : 0;
    result.Accepted = true;
    result.FilterIndex = index;
    result.FileName = savedFileName(options, index, inFolder(choice.FileName, options.InitialDir));
    return result;
}

FileDialogResult FakeDialogs::openFile(const FileDialogOptions& options) {
    m_openRequests.append(options);
    FileDialogResult result;
    if (m_openScript.empty())
        return result;
    const FileChoice choice = m_openScript.front();
    m_openScript.pop_front();
    const QString name = inFolder(choice.FileName, options.InitialDir);
    // The real dialog cannot be confirmed with a missing file: a script that does so is wrong.
    if (!QFileInfo(name).isFile())
        throw std::logic_error("FakeDialogs: the scripted file to open does not exist: " +
                               name.toStdString());
    const int count = int(parseFileFilter(options.Filter).size());
    result.Accepted = true;
    result.FileName = name;
    result.FilterIndex =
        options.FilterIndex >= 1 && options.FilterIndex <= count ? options.FilterIndex : (count > 0 ? 1 : 0);
    return result;
}

std::optional<QColor> FakeDialogs::pickColor(const QColor& initial) {
    m_colorRequests.append(initial);
    if (m_colorScript.empty())
        return std::nullopt;
    const std::optional<QColor> color = m_colorScript.front();
    m_colorScript.pop_front();
    return color;
}

bool FakeDialogs::printerSetup(QPrinter& printer) {
    ++m_printerSetups;
    if (m_printerScript.empty())
        return false;
    auto change = std::move(m_printerScript.front());
    m_printerScript.pop_front();
    if (change)
        change(printer);
    return true;
}

void FakeDialogs::onNextModal(std::function<int(QDialog&)> operate) {
    m_modalScript.push_back(std::move(operate));
}

void FakeDialogs::answerNextModal(int result) {
    onNextModal([result](QDialog& dialog) {
        dialog.done(result);
        return result;
    });
}

void FakeDialogs::chooseSaveFile(const QString& fileName, int filterIndex) {
    m_saveScript.push_back({fileName, filterIndex});
}

void FakeDialogs::chooseOpenFile(const QString& fileName) {
    m_openScript.push_back({fileName, 0});
}

void FakeDialogs::chooseColor(std::optional<QColor> color) {
    m_colorScript.push_back(color);
}

void FakeDialogs::acceptPrinterSetup(std::function<void(QPrinter&)> change) {
    m_printerScript.push_back(std::move(change));
}

void FakeDialogs::choosePdfPrinter(const QString& pdfFile) {
    acceptPrinterSetup([pdfFile](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfFile);
    });
}

QStringList FakeDialogs::yesNoQuestions() const {
    QStringList questions;
    for (const ModalShown& m : m_modals) {
        if (m.Name == QStringLiteral("FDlgYesNo"))
            questions.append(m.Question);
    }
    return questions;
}

} // namespace platform
