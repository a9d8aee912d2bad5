#include "Dialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QCoreApplication>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

namespace platform {

namespace {
QtDialogs g_qtDialogs;
Dialogs* g_dialogs = &g_qtDialogs;

QString suffixOfPatterns(const QStringList& patterns) {
    if (patterns.size() != 1)
        return QString();
    const QString& p = patterns.front();
    if (!p.startsWith(QStringLiteral("*.")) || p.size() < 3)
        return QString();
    const QString ext = p.mid(2);
    if (ext.contains(u'*') || ext.contains(u'?') || ext.contains(u'.'))
        return QString();
    return ext;
}

// Qt takes the patterns from the parentheses at the end of a name filter.
QString qtNameFilter(const FileFilter& f) {
    const QString patterns = f.Patterns.join(u' ');
    if (f.Description.endsWith(QStringLiteral("(") + patterns + QStringLiteral(")")))
        return f.Description;
    return f.Description + QStringLiteral(" (") + patterns + u')';
}

FileDialogResult runFileDialog(const FileDialogOptions& options, QFileDialog::AcceptMode mode) {
    const QList<FileFilter> filters = parseFileFilter(options.Filter);
    QStringList nameFilters;
    for (const FileFilter& f : filters)
        nameFilters.append(qtNameFilter(f));
    const int preselected =
        options.FilterIndex >= 1 && options.FilterIndex <= filters.size() ? options.FilterIndex : 1;

    QFileDialog dialog(QApplication::activeWindow(), options.Title, options.InitialDir);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!nameFilters.isEmpty()) {
        dialog.setNameFilters(nameFilters);
        dialog.selectNameFilter(nameFilters[preselected - 1]);
    }
    dialog.setDefaultSuffix(effectiveDefaultSuffix(options, preselected));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString& chosen) {
        const int index = int(nameFilters.indexOf(chosen)) + 1;
        dialog.setDefaultSuffix(effectiveDefaultSuffix(options, index > 0 ? index : preselected));
    });
    if (!options.FileName.isEmpty())
        dialog.selectFile(options.FileName);
    // The dialog's own question names the file as typed, which may not be the one written when the
    // type was switched; the question is asked below about the file that will be written.
    if (mode == QFileDialog::AcceptSave)
        dialog.setOption(QFileDialog::DontConfirmOverwrite);

    FileDialogResult result;
    for (;;) {
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return result;
        const int index = int(nameFilters.indexOf(dialog.selectedNameFilter()));
        result.FilterIndex = index >= 0 ? index + 1 : preselected;
        result.FileName = dialog.selectedFiles().front();
        if (mode != QFileDialog::AcceptSave)
            break;
        result.FileName = savedFileName(options, result.FilterIndex, result.FileName);
        if (!QFileInfo::exists(result.FileName) ||
            QMessageBox::question(&dialog, dialog.windowTitle(), replaceQuestion(result.FileName),
                                  QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes)
            break;
        dialog.selectFile(result.FileName); // with its folder: a typed path may have led elsewhere
    }
    result.Accepted = true;
    return result;
}

} // namespace

QList<FileFilter> parseFileFilter(const QString& filter) {
    QList<FileFilter> result;
    if (filter.isEmpty())
        return result;
    const QStringList parts = filter.split(u'|');
    for (int i = 0; i < parts.size(); i += 2) {
        FileFilter f;
        f.Description = parts[i];
        const QString patterns = i + 1 < parts.size() ? parts[i + 1] : QStringLiteral("*");
        for (const QString& p : patterns.split(u';', Qt::SkipEmptyParts))
            f.Patterns.append(p.trimmed());
        if (f.Patterns.isEmpty())
            f.Patterns.append(QStringLiteral("*"));
        result.append(f);
    }
    return result;
}

QString effectiveDefaultSuffix(const FileDialogOptions& options, int filterIndex) {
    const QList<FileFilter> filters = parseFileFilter(options.Filter);
    if (filterIndex >= 1 && filterIndex <= filters.size()) {
        const QString own = suffixOfPatterns(filters[filterIndex - 1].Patterns);
        if (!own.isEmpty())
            return own;
    }
    QString ext = options.DefaultExt;
    if (ext.startsWith(u'.'))
        ext.remove(0, 1);
    return ext;
}

QString withDefaultSuffix(const QString& fileName, const QString& suffix) {
    if (suffix.isEmpty() || fileName.isEmpty() || !QFileInfo(fileName).suffix().isEmpty())
        return fileName;
    return fileName + u'.' + suffix;
}

QString savedFileName(const FileDialogOptions& options, int filterIndex, const QString& fileName) {
    const QList<FileFilter> filters = parseFileFilter(options.Filter);
    const QString own = filterIndex >= 1 && filterIndex <= filters.size()
                            ? suffixOfPatterns(filters[filterIndex - 1].Patterns)
                            : QString();
    if (own.isEmpty() || fileName.isEmpty())
        return withDefaultSuffix(fileName, effectiveDefaultSuffix(options, filterIndex));
    const QString suffix = QFileInfo(fileName).suffix();
    if (suffix.compare(own, Qt::CaseInsensitive) == 0)
        return fileName;
    for (const FileFilter& f : filters) {
        if (!suffix.isEmpty() && suffix.compare(suffixOfPatterns(f.Patterns), Qt::CaseInsensitive) == 0)
            return fileName.left(fileName.size() - suffix.size()) + own;
    }
    return fileName + u'.' + own;
}

QString replaceQuestion(const QString& fileName) {
    return QCoreApplication::translate("Dialogs",
                                       "Die Datei \"%1\" ist schon vorhanden.\nSoll sie ersetzt werden?")
        .arg(QFileInfo(fileName).fileName());
}

void QtDialogs::showMessage(const QString& text) {
    QMessageBox::information(QApplication::activeWindow(), QApplication::applicationName(), text);
}

int QtDialogs::execModal(QDialog& dialog) {
    return dialog.exec();
}

FileDialogResult QtDialogs::saveFile(const FileDialogOptions& options) {
    return runFileDialog(options, QFileDialog::AcceptSave);
}

FileDialogResult QtDialogs::openFile(const FileDialogOptions& options) {
    return runFileDialog(options, QFileDialog::AcceptOpen);
}

std::optional<QColor> QtDialogs::pickColor(const QColor& initial) {
    const QColor chosen = QColorDialog::getColor(initial, QApplication::activeWindow());
    if (!chosen.isValid())
        return std::nullopt;
    return chosen;
}

bool QtDialogs::printerSetup(QPrinter& printer) {
    QPrintDialog dialog(&printer, QApplication::activeWindow());
    return dialog.exec() == QDialog::Accepted;
}

Dialogs& dialogs() {
    return *g_dialogs;
}

void setDialogs(Dialogs* d) {
    g_dialogs = d ? d : &g_qtDialogs;
}

} // namespace platform
