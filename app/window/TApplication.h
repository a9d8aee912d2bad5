#pragma once

#include <QApplication>
#include <exception>

/// Shows the message of the exception `error` to the operator in a message box. Program errors are
/// `Exception`s; anything else is shown with its own text.
void ShowException(std::exception_ptr error);

/// The program's application object. An error raised while an event is handled does not end the
/// program: its message is shown and the program carries on, as with the operator's actions.
class TApplication : public QApplication {
    Q_OBJECT
public:
    /// Creates the application from the program's arguments.
    TApplication(int& argc, char** argv);

    /// Installs the texts of the interface's language as the settings choose it (German, English
    /// or as the desktop's). Call before the window is made: a change takes effect at the next start.
    void installLanguage();

    bool notify(QObject* receiver, QEvent* event) override;
};
