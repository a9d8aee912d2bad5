#pragma once

#include "office/Automation.h"

#include <QStringList>
#include <map>
#include <memory>

namespace platform {

/// A fake automation server for tests: every call on its objects, and every object it creates, is
/// written to one log; a property read returns a new recording object named after the path, unless
/// a result was set. Steps can be made to fail.
///
/// Log lines: "create" for a new instance, then per call "[path.]call|get|put Name(args)", the path
/// naming the objects read on the way ("Selection.Columns.call Autofit()"); arguments as
/// `OleVariant::Describe` shows them, named ones as `Name=value`.
class RecordingAutomationServer {
public:
    RecordingAutomationServer();

    /// Registers the server under `progId` in `automation`; each new instance is registered as the
    /// running one there unless one is running.
    void Register(Automation& automation, const QString& progId);

    /// The log so far.
    const QStringList& Calls() const { return m_state->calls; }
    /// Forgets the log.
    void ClearCalls() { m_state->calls.clear(); }
    /// Number of instances created.
    int Instances() const { return m_state->instances; }

    /// Makes the `occurrence`-th call (1 = the first, counted over every object) of the member `name`
    /// (any case) throw `EOleException` (Failed) after it was logged.
    void FailOn(const QString& name, int occurrence = 1);
    /// Makes creating an instance fail.
    void setFailCreate(bool fail) { m_state->failCreate = fail; }
    /// What a read of the property `name` (any case) returns instead of a new object.
    void setResult(const QString& name, const OleVariant& value);

    /// The shared log and settings (used by the recording objects).
    struct State {
        QStringList calls;
        int instances = 0;
        bool failCreate = false;
        std::map<QString, int> failAt; // case-folded name -> occurrence
        std::map<QString, int> seen;   // case-folded name -> calls so far
        std::map<QString, OleVariant> results;
    };

private:
    std::shared_ptr<State> m_state;
};

} // namespace platform
