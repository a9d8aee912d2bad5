#pragma once

#include <QColor>
#include <QString>
#include <QStringList>

#include <optional>

class QDialog;
class QPrinter;

namespace platform {

/// What a file dialog starts with. `Filter` has the pair form "Text file (*.txt)|*.txt|All|*.*":
/// a description and its patterns (separated by ';') for each entry.
struct FileDialogOptions {
    /// The dialog's caption; empty for the toolkit's own.
    QString Title;
    /// The filter list in pair form.
    QString Filter;
    /// The entry preselected, counted from 1 as the filter list is written; out of range means 1.
    int FilterIndex = 1;
    /// Appended (with a dot) to a typed name that has no extension, when the chosen filter names
    /// no single extension of its own; given with or without the leading dot.
    QString DefaultExt;
    /// The folder the dialog starts in.
    QString InitialDir;
    /// The name preset in the file-name field.
    QString FileName;
};

/// What a file dialog returned.
struct FileDialogResult {
    /// True when the operator chose a file; false when the dialog was cancelled.
    bool Accepted = false;
    /// The chosen file with its folder, extension added as `FileDialogOptions::DefaultExt` says.
    QString FileName;
    /// The filter entry in force when the dialog was confirmed, counted from 1.
    int FilterIndex = 0;
};

/// One entry of a filter list in pair form.
struct FileFilter {
    QString Description;
    QStringList Patterns;
};

/// Splits a filter list in pair form into its entries; a trailing description without patterns
/// gets "*".
QList<FileFilter> parseFileFilter(const QString& filter);

/// The extension a typed name without one receives: the chosen filter's own when it has a single
/// pattern "*.ext", else `DefaultExt` (without its dot); empty when there is none.
QString effectiveDefaultSuffix(const FileDialogOptions& options, int filterIndex);

/// `fileName` with `suffix` appended when its last part has no extension and `suffix` is not empty.
QString withDefaultSuffix(const QString& fileName, const QString& suffix);

/// The file a save dialog's choice writes: `fileName` with the extension of filter entry
/// `filterIndex` when that entry has a single "*.ext" of its own (an extension of another entry is
/// replaced, any other is kept and the entry's added), else as `withDefaultSuffix` with `DefaultExt`.
QString savedFileName(const FileDialogOptions& options, int filterIndex, const QString& fileName);

/// The question asked before a save replaces the existing file `fileName`.
QString replaceQuestion(const QString& fileName);

/// The program's modal dialogs and message boxes. Windows call them through `dialogs()` so tests can
/// answer them without blocking.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    /// Shows `text` in a message box with an OK button and waits until it is closed.
    virtual void showMessage(const QString& text) = 0;
    /// Shows one of the program's own dialog forms modally and returns its result code (the
    /// yes/no dialog's 6 for yes, an OK or Cancel code, ...). Every modal form goes through here.
    virtual int execModal(QDialog& dialog) = 0;
    /// The save dialog: a file name that need not exist yet.
    virtual FileDialogResult saveFile(const FileDialogOptions& options) = 0;
    /// The open dialog: the folder and the file must exist.
    virtual FileDialogResult openFile(const FileDialogOptions& options) = 0;
    /// The desktop's colour picker, starting at `initial`; nothing when cancelled.
    virtual std::optional<QColor> pickColor(const QColor& initial) = 0;
    /// The printer setup dialog working on `printer` (printer, PDF file, paper, orientation); true
    /// when the operator confirmed it, and only then is `printer` changed.
    virtual bool printerSetup(QPrinter& printer) = 0;
};

/// The Qt implementation: real modal dialogs.
class QtDialogs : public Dialogs {
public:
    void showMessage(const QString& text) override;
    int execModal(QDialog& dialog) override;
    FileDialogResult saveFile(const FileDialogOptions& options) override;
    FileDialogResult openFile(const FileDialogOptions& options) override;
    std::optional<QColor> pickColor(const QColor& initial) override;
    bool printerSetup(QPrinter& printer) override;
};

/// The dialogs in force: the Qt ones unless a test installed others.
Dialogs& dialogs();

/// Installs `d` as the dialogs in force; nullptr restores the Qt ones. The caller keeps ownership.
void setDialogs(Dialogs* d);

} // namespace platform
