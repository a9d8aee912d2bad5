#pragma once

#include <QString>

namespace platform {

/// The program's modal dialogs and message boxes. Windows call them through `dialogs()` so tests can
/// answer them without blocking.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    /// Shows `text` in a message box with an OK button and waits until it is closed.
    virtual void showMessage(const QString& text) = 0;
    /// Asks `question` with "Ja" and "Nein"; true for "Ja".
    virtual bool askYesNo(const QString& question) = 0;
};

/// The Qt implementation: real modal dialogs.
class QtDialogs : public Dialogs {
public:
    void showMessage(const QString& text) override;
    bool askYesNo(const QString& question) override;
};

/// The dialogs in force: the Qt ones unless a test installed others.
Dialogs& dialogs();

/// Installs `d` as the dialogs in force; nullptr restores the Qt ones. The caller keeps ownership.
void setDialogs(Dialogs* d);

} // namespace platform
