#include "office/Automation.h"

#include "office/ExcelServer.h"
#include "office/WordBasicServer.h"

#include <cmath>

namespace platform {

namespace {

QString key(const QString& name) {
    return name.toCaseFolded();
}

[[noreturn]] void badValue(const OleVariant& v, const char* wanted) {
    throw EOleException(
        OleError::BadArguments,
        QStringLiteral("Type mismatch: %1 is not %2").arg(v.Describe(), QLatin1String(wanted)));
}

const char* kindName(DispatchKind kind) {
    switch (kind) {
    case DispatchKind::Method:
        return "method";
    case DispatchKind::PropertyGet:
        return "readable property";
    case DispatchKind::PropertyPut:
        return "writable property";
    }
    return "";
}

} // namespace

bool OleVariant::ToBool() const {
    if (IsBool())
        return std::get<bool>(m_value);
    if (IsInt())
        return std::get<int>(m_value) != 0;
    if (IsDouble())
        return std::get<double>(m_value) != 0.0;
    badValue(*this, "a boolean");
}

int OleVariant::ToInt() const {
    if (IsInt())
        return std::get<int>(m_value);
    if (IsBool())
        return std::get<bool>(m_value) ? -1 : 0;
    if (IsDouble()) {
        const double d = std::get<double>(m_value);
        if (std::trunc(d) == d && std::abs(d) <= 2147483647.0)
            return int(d);
    }
    if (IsString()) {
        bool ok = false;
        const int n = std::get<QString>(m_value).trimmed().toInt(&ok);
        if (ok)
            return n;
    }
    badValue(*this, "an integer");
}

double OleVariant::ToDouble() const {
    if (IsDouble())
        return std::get<double>(m_value);
    if (IsInt())
        return std::get<int>(m_value);
    badValue(*this, "a number");
}

QString OleVariant::ToString() const {
    if (IsString())
        return std::get<QString>(m_value);
    if (IsInt())
        return QString::number(std::get<int>(m_value));
    if (IsDouble())
        return QString::number(std::get<double>(m_value), 'g', 15);
    if (IsBool())
        return std::get<bool>(m_value) ? QStringLiteral("True") : QStringLiteral("False");
    badValue(*this, "a text");
}

AutomationRef OleVariant::AsObject() const {
    if (auto p = std::get_if<AutomationRef>(&m_value))
        return *p;
    return nullptr;
}

QString OleVariant::Describe() const {
    if (IsEmpty())
        return QStringLiteral("<empty>");
    if (IsBool())
        return std::get<bool>(m_value) ? QStringLiteral("true") : QStringLiteral("false");
    if (IsString()) {
        QString s = std::get<QString>(m_value);
        s.replace(QLatin1Char('"'), QLatin1String("\"\""));
        return QLatin1Char('"') + s + QLatin1Char('"');
    }
    if (auto o = AsObject())
        return QLatin1Char('<') + o->TypeName() + QLatin1Char('>');
    if (std::holds_alternative<AutomationRef>(m_value))
        return QStringLiteral("<nothing>");
    return ToString();
}

// ---------------------------------------------------------------------------------------------

OleVariant DispatchObject::Invoke(const QString& name, DispatchKind kind, const OleArgs& args) {
    const auto it = m_members.find(key(name));
    if (it == m_members.end())
        throw EOleException(OleError::UnknownName,
                            QStringLiteral("%1 has no member named \"%2\"").arg(TypeName(), name));
    const Member& m = it->second;
    const Handler& h = kind == DispatchKind::Method        ? m.method
                       : kind == DispatchKind::PropertyGet ? m.getter
                                                           : m.setter;
    if (!h)
        throw EOleException(
            OleError::WrongKind,
            QStringLiteral("%1.%2 is no %3").arg(TypeName(), name, QLatin1String(kindName(kind))));
    return h(args);
}

void DispatchObject::AddMethod(const QString& name, Handler h) {
    m_members[key(name)].method = std::move(h);
}
void DispatchObject::AddGetter(const QString& name, Handler h) {
    m_members[key(name)].getter = std::move(h);
}
void DispatchObject::AddSetter(const QString& name, Handler h) {
    m_members[key(name)].setter = std::move(h);
}

void DispatchObject::RequireArgs(const QString& name, const OleArgs& args, int count) const {
    bool ok = int(args.size()) == count;
    for (const auto& a : args)
        ok = ok && a.name.isEmpty();
    if (!ok)
        throw EOleException(OleError::BadArguments, QStringLiteral("%1.%2 takes %3 argument(s), got %4")
                                                        .arg(TypeName(), name)
                                                        .arg(count)
                                                        .arg(args.size()));
}

void DispatchObject::Fail(const QString& name, const QString& why) const {
    throw EOleException(OleError::Failed, QStringLiteral("%1.%2: %3").arg(TypeName(), name, why));
}

// ---------------------------------------------------------------------------------------------

OleVariant OleObject::invoke(const QString& name, DispatchKind kind, const OleArgs& args) const {
    if (!m_object)
        throw EOleException(OleError::NotAnObject,
                            QStringLiteral("\"%1\" called without an automation object").arg(name));
    return m_object->Invoke(name, kind, args);
}

OleVariant OleObject::Call(const QString& name, const OleArgs& args) const {
    return invoke(name, DispatchKind::Method, args);
}

OleVariant OleObject::Get(const QString& name, const OleArgs& args) const {
    return invoke(name, DispatchKind::PropertyGet, args);
}

OleObject OleObject::GetObject(const QString& name, const OleArgs& args) const {
    const OleVariant v = Get(name, args);
    if (!v.IsObject())
        throw EOleException(
            OleError::NotAnObject,
            QStringLiteral("%1.%2 returned %3, not an object").arg(m_object->TypeName(), name, v.Describe()));
    return OleObject(v.AsObject());
}

void OleObject::Put(const QString& name, const OleArgs& index, const OleVariant& value) const {
    OleArgs args = index;
    args.emplace_back(value);
    invoke(name, DispatchKind::PropertyPut, args);
}

// ---------------------------------------------------------------------------------------------

void Automation::RegisterServer(const QString& progId, Factory factory) {
    m_servers[key(progId)] = std::move(factory);
}

bool Automation::HasServer(const QString& progId) const {
    return m_servers.count(key(progId)) != 0;
}

AutomationRef Automation::CreateObject(const QString& progId) {
    const auto it = m_servers.find(key(progId));
    if (it == m_servers.end() || !it->second)
        throw EOleException(OleError::UnknownClass,
                            QStringLiteral("No automation server is registered as \"%1\"").arg(progId));
    AutomationRef object;
    try {
        object = it->second();
    } catch (const EOleException& e) {
        throw EOleException(OleError::ServerFailed,
                            QStringLiteral("\"%1\" could not be started: %2").arg(progId, e.Message()));
    }
    if (!object)
        throw EOleException(OleError::ServerFailed,
                            QStringLiteral("\"%1\" could not be started").arg(progId));
    return object;
}

AutomationRef Automation::GetActiveObject(const QString& progId) {
    if (!HasServer(progId))
        throw EOleException(OleError::UnknownClass,
                            QStringLiteral("No automation server is registered as \"%1\"").arg(progId));
    const auto it = m_running.find(key(progId));
    AutomationRef object = it == m_running.end() ? nullptr : it->second.lock();
    if (!object)
        throw EOleException(OleError::NotRunning, QStringLiteral("\"%1\" is not running").arg(progId));
    return object;
}

void Automation::RegisterActiveObject(const QString& progId, const AutomationRef& object) {
    auto& slot = m_running[key(progId)];
    if (!slot.lock())
        slot = object;
}

// ---------------------------------------------------------------------------------------------

namespace {

Automation* g_installed = nullptr;

Automation& platformAutomation() {
    static Automation a;
    static const bool registered = [] {
        RegisterExcelServer(a, ExcelServerSettings{});
        RegisterWordBasicServer(a, WordBasicSettings{});
        return true;
    }();
    (void)registered;
    return a;
}

} // namespace

Automation& automation() {
    return g_installed ? *g_installed : platformAutomation();
}

void setAutomation(Automation* a) {
    g_installed = a;
}

} // namespace platform
