#pragma once

#include "Dialogs.h"

#include <QStringList>

namespace platform {

/// Dialogs that never block: they record what was shown. Installs itself while it lives.
class FakeDialogs : public Dialogs {
public:
    /// Installs the fake as the dialogs in force.
    FakeDialogs() { setDialogs(this); }
    /// Restores the Qt dialogs.
    ~FakeDialogs() override { setDialogs(nullptr); }
    FakeDialogs(const FakeDialogs&) = delete;
    FakeDialogs& operator=(const FakeDialogs&) = delete;

    void showMessage(const QString& text) override { m_messages.append(text); }
    bool askYesNo(const QString& question) override {
        m_questions.append(question);
        return m_yes;
    }
    /// Yes/no questions are answered "Ja" (`yes`) or "Nein" (the default).
    void answerYesNo(bool yes) { m_yes = yes; }
    /// Every yes/no question asked so far, oldest first.
    QStringList yesNoQuestions() const { return m_questions; }

    /// Every message shown so far, oldest first.
    const QStringList& messages() const { return m_messages; }

private:
    QStringList m_messages;
    QStringList m_questions;
    bool m_yes = false;
};

} // namespace platform
