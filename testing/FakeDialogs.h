#pragma once

#include "platform/Dialogs.h"

#include <QList>
#include <QStringList>

#include <deque>
#include <functional>

namespace platform {

/// Dialogs that never block: they record what was shown and give the answers a test scripted,
/// oldest script first. Without a script every dialog is cancelled. Installs itself while it lives.
class FakeDialogs : public Dialogs {
public:
    /// A modal form as it was shown.
    struct ModalShown {
        QString Name;     ///< the form's object name ("FDlgYesNo", "CfgDialog")
        QString Title;    ///< its caption
        QString Question; ///< the text of its label "LabQuestion", if it has one (the yes/no question)
    };

    /// Installs the fake as the dialogs in force.
    FakeDialogs() { setDialogs(this); }
    /// Restores the Qt dialogs.
    ~FakeDialogs() override { setDialogs(nullptr); }
    FakeDialogs(const FakeDialogs&) = delete;
    FakeDialogs& operator=(const FakeDialogs&) = delete;

    void showMessage(const QString& text) override { m_messages.append(text); }
    int execModal(QDialog& dialog) override;
    FileDialogResult saveFile(const FileDialogOptions& options) override;
    FileDialogResult openFile(const FileDialogOptions& options) override;
    std::optional<QColor> pickColor(const QColor& initial) override;
    bool printerSetup(QPrinter& printer) override;

    // ---- scripts ----
    /// The next modal form is handed to `operate`, which acts as the operator would (sets
    /// controls, clicks buttons, calls done()) and returns the form's result.
    void onNextModal(std::function<int(QDialog&)> operate);
    /// The next modal form ends with `result` at once (6 answers the yes/no dialog with yes).
    void answerNextModal(int result);
    /// The next yes/no question is answered "Ja" (`yes`) or "Nein".
    void answerYesNo(bool yes) { answerNextModal(yes ? 6 : 2); }
    /// The next save dialog returns `fileName` (a name without folder lands in the start folder)
    /// with filter entry `filterIndex` (0: the preselected one).
    void chooseSaveFile(const QString& fileName, int filterIndex = 0);
    /// The next open dialog returns `fileName`, which must exist.
    void chooseOpenFile(const QString& fileName);
    /// The next colour picker returns `color`; nothing cancels it.
    void chooseColor(std::optional<QColor> color);
    /// The next printer setup is confirmed after `change` was applied to the printer.
    void acceptPrinterSetup(std::function<void(QPrinter&)> change);
    /// The next printer setup is confirmed with the PDF file `pdfFile` as the printer.
    void choosePdfPrinter(const QString& pdfFile);

    // ---- records ----
    /// Every message shown so far, oldest first.
    const QStringList& messages() const { return m_messages; }
    /// Every modal form shown so far.
    const QList<ModalShown>& modalsShown() const { return m_modals; }
    /// The questions the yes/no dialog asked.
    QStringList yesNoQuestions() const;
    /// What each save and open dialog was opened with.
    const QList<FileDialogOptions>& saveRequests() const { return m_saveRequests; }
    const QList<FileDialogOptions>& openRequests() const { return m_openRequests; }
    /// The starting colour of each colour picker shown.
    const QList<QColor>& colorRequests() const { return m_colorRequests; }
    /// How often the printer setup was shown.
    int printerSetups() const { return m_printerSetups; }

private:
    struct FileChoice {
        QString FileName;
        int FilterIndex = 0;
    };

    QStringList m_messages;
    QList<ModalShown> m_modals;
    QList<FileDialogOptions> m_saveRequests;
    QList<FileDialogOptions> m_openRequests;
    QList<QColor> m_colorRequests;
    int m_printerSetups = 0;

    std::deque<std::function<int(QDialog&)>> m_modalScript;
    std::deque<FileChoice> m_saveScript;
    std::deque<FileChoice> m_openScript;
    std::deque<std::optional<QColor>> m_colorScript;
    std::deque<std::function<void(QPrinter&)>> m_printerScript;
};

} // namespace platform
