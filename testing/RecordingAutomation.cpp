#include "testing/RecordingAutomation.h"

namespace platform {

namespace {

class RecordingObject : public AutomationObject {
public:
    RecordingObject(std::shared_ptr<RecordingAutomationServer::State> state, QString path)
        : m_state(std::move(state)), m_path(std::move(path)) {}

    OleVariant Invoke(const QString& name, DispatchKind kind, const OleArgs& args) override {
        QStringList shown;
        for (const OleArgument& a : args)
            shown.append(a.name.isEmpty() ? a.value.Describe()
                                          : a.name + QLatin1Char('=') + a.value.Describe());
        const char* verb = kind == DispatchKind::Method        ? "call"
                           : kind == DispatchKind::PropertyGet ? "get"
                                                               : "put";
        const QString prefix = m_path.isEmpty() ? QString() : m_path + QLatin1Char('.');
        m_state->calls.append(QStringLiteral("%1%2 %3(%4)")
                                  .arg(prefix, QLatin1String(verb), name, shown.join(QStringLiteral(", "))));

        const QString key = name.toCaseFolded();
        const int seen = ++m_state->seen[key];
        const auto fail = m_state->failAt.find(key);
        if (fail != m_state->failAt.end() && fail->second == seen)
            throw EOleException(OleError::Failed, QStringLiteral("%1 failed (recorded server)").arg(name));

        if (kind != DispatchKind::PropertyGet)
            return {};
        const auto result = m_state->results.find(key);
        if (result != m_state->results.end())
            return result->second;
        return AutomationRef(std::make_shared<RecordingObject>(m_state, prefix + name));
    }

    QString TypeName() const override { return m_path.isEmpty() ? QStringLiteral("Recorded") : m_path; }

private:
    std::shared_ptr<RecordingAutomationServer::State> m_state;
    QString m_path;
};

} // namespace

RecordingAutomationServer::RecordingAutomationServer() : m_state(std::make_shared<State>()) {}

void RecordingAutomationServer::Register(Automation& automation, const QString& progId) {
    auto state = m_state;
    automation.RegisterServer(progId, [&automation, progId, state]() -> AutomationRef {
        if (state->failCreate)
            throw EOleException(OleError::ServerFailed, QStringLiteral("creation refused (recorded server)"));
        ++state->instances;
        state->calls.append(QStringLiteral("create"));
        auto object = std::make_shared<RecordingObject>(state, QString());
        automation.RegisterActiveObject(progId, object);
        return object;
    });
}

void RecordingAutomationServer::FailOn(const QString& name, int occurrence) {
    m_state->failAt[name.toCaseFolded()] = occurrence;
}

void RecordingAutomationServer::setResult(const QString& name, const OleVariant& value) {
    m_state->results[name.toCaseFolded()] = value;
}

} // namespace platform
