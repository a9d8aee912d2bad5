#pragma once

#include "core/Exception.h"

#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <variant>
#include <vector>

namespace platform {

class AutomationObject;
/// A shared reference to an automation object; the object lives while someone holds it.
using AutomationRef = std::shared_ptr<AutomationObject>;

/// What went wrong in an automation call.
enum class OleError {
    UnknownClass, ///< no server is registered under the program identifier
    NotRunning,   ///< "get running" found no running instance
    ServerFailed, ///< the server could not create its object
    UnknownName,  ///< the object has no member of that name
    WrongKind,    ///< the member exists but not as method, property get or property put
    BadArguments, ///< wrong number or type of arguments
    NotAnObject,  ///< a call on an unassigned reference, or a result that is no object
    Failed,       ///< the member itself failed (file not writable, application closed, ...)
};

/// A failed automation call. The message names the object and the member.
class EOleException : public Exception {
public:
    /// Creates the exception with its kind and message.
    EOleException(OleError kind, const QString& message) : Exception(message), m_kind(kind) {}
    /// What went wrong.
    OleError Kind() const { return m_kind; }

private:
    OleError m_kind;
};

/// A value passed to or returned from an automation call: empty, boolean, integer, floating-point
/// number, text or object reference.
class OleVariant {
public:
    /// The empty value (a call without result returns it).
    OleVariant() = default;
    OleVariant(bool v) : m_value(v) {}
    OleVariant(int v) : m_value(v) {}
    OleVariant(double v) : m_value(v) {}
    OleVariant(const QString& v) : m_value(v) {}
    explicit OleVariant(const char* v) : m_value(QString::fromUtf8(v)) {}
    OleVariant(AutomationRef v) : m_value(std::move(v)) {}

    bool IsEmpty() const { return std::holds_alternative<std::monostate>(m_value); }
    bool IsBool() const { return std::holds_alternative<bool>(m_value); }
    bool IsInt() const { return std::holds_alternative<int>(m_value); }
    bool IsDouble() const { return std::holds_alternative<double>(m_value); }
    bool IsString() const { return std::holds_alternative<QString>(m_value); }
    bool IsObject() const { return std::holds_alternative<AutomationRef>(m_value) && AsObject(); }

    /// The value as a boolean: a boolean as is, a number not 0; throws `EOleException` (BadArguments)
    /// for other values.
    bool ToBool() const;
    /// The value as an integer: an integer as is, a whole floating-point number, or a text holding an
    /// integer; throws `EOleException` (BadArguments) otherwise.
    int ToInt() const;
    /// The value as a floating-point number: an integer or a floating-point number; throws
    /// `EOleException` (BadArguments) otherwise.
    double ToDouble() const;
    /// The value as a text: a text as is, numbers and booleans in their plain form; throws for an
    /// object or the empty value.
    QString ToString() const;
    /// The object reference (null for every other value).
    AutomationRef AsObject() const;
    /// A readable form for logs and messages: true, 12, "text" (quotes doubled), <object>, <empty>.
    QString Describe() const;

    bool operator==(const OleVariant& other) const { return m_value == other.m_value; }

private:
    std::variant<std::monostate, bool, int, double, QString, AutomationRef> m_value;
};

/// One argument of a call: a value, and for a named argument its name.
struct OleArgument {
    OleArgument(OleVariant v) : value(std::move(v)) {}
    OleArgument(bool v) : value(v) {}
    OleArgument(int v) : value(v) {}
    OleArgument(const QString& v) : value(v) {}
    OleArgument(const char* v) : value(v) {}
    OleArgument(QString n, OleVariant v) : name(std::move(n)), value(std::move(v)) {}
    QString name; ///< empty for a positional argument
    OleVariant value;
};
using OleArgs = std::vector<OleArgument>;

/// A named argument, e.g. `Named("NumColumns", 4)`.
inline OleArgument Named(const QString& name, OleVariant value) {
    return {name, std::move(value)};
}

/// The kind of a late-bound call.
enum class DispatchKind { Method, PropertyGet, PropertyPut };

/// An object that takes late-bound calls by member name. Names are compared without case.
class AutomationObject {
public:
    virtual ~AutomationObject() = default;
    /// Runs the member `name` as `kind` with `args` (for a property put the new value is the last
    /// argument, after the indices) and returns its result (empty for none). Throws `EOleException`.
    virtual OleVariant Invoke(const QString& name, DispatchKind kind, const OleArgs& args) = 0;
    /// The object's type name as messages show it ("Excel.Application", "Workbooks", ...).
    virtual QString TypeName() const = 0;
};

/// An automation object built from a table of members: each member name (any case) has a method,
/// a property getter and a property setter, each optional.
class DispatchObject : public AutomationObject {
public:
    using Handler = std::function<OleVariant(const OleArgs& args)>;

    OleVariant Invoke(const QString& name, DispatchKind kind, const OleArgs& args) override;

protected:
    /// Adds the method `name`.
    void AddMethod(const QString& name, Handler h);
    /// Adds the property getter `name` (its arguments are the indices).
    void AddGetter(const QString& name, Handler h);
    /// Adds the property setter `name` (the new value is the last argument).
    void AddSetter(const QString& name, Handler h);
    /// Throws `EOleException` (BadArguments) unless `args` holds `count` positional arguments.
    void RequireArgs(const QString& name, const OleArgs& args, int count) const;
    /// Throws `EOleException` (Failed) with "<TypeName>.<name>: <why>".
    [[noreturn]] void Fail(const QString& name, const QString& why) const;

private:
    struct Member {
        Handler method, getter, setter;
    };
    std::map<QString, Member> m_members; // keyed by the case-folded name
};

/// A reference to an automation object, with the three late-bound calls. Calls through an unassigned
/// reference throw `EOleException` (NotAnObject).
class OleObject {
public:
    /// The unassigned reference.
    OleObject() = default;
    /// A reference to `object` (unassigned when null).
    explicit OleObject(AutomationRef object) : m_object(std::move(object)) {}

    /// True when the reference holds an object.
    bool IsAssigned() const { return m_object != nullptr; }
    /// The object held (null when unassigned).
    const AutomationRef& Object() const { return m_object; }

    /// Calls the method `name`.
    OleVariant Call(const QString& name, const OleArgs& args = {}) const;
    /// Reads the property `name` (with its indices, if any).
    OleVariant Get(const QString& name, const OleArgs& args = {}) const;
    /// Reads the property `name` and returns the object it holds; throws `EOleException` (NotAnObject)
    /// when it holds none.
    OleObject GetObject(const QString& name, const OleArgs& args = {}) const;
    /// Writes `value` to the property `name` at the indices `index`.
    void Put(const QString& name, const OleArgs& index, const OleVariant& value) const;
    /// Writes `value` to the property `name`.
    void Put(const QString& name, const OleVariant& value) const { Put(name, {}, value); }

private:
    OleVariant invoke(const QString& name, DispatchKind kind, const OleArgs& args) const;
    AutomationRef m_object;
};

/// The automation servers registered per program identifier, and the running objects.
class Automation {
public:
    /// Creates a new object of the server; may throw `EOleException`.
    using Factory = std::function<AutomationRef()>;

    Automation() = default;
    Automation(const Automation&) = delete;
    Automation& operator=(const Automation&) = delete;

    /// Registers `factory` under `progId` (compared without case), replacing an earlier one.
    void RegisterServer(const QString& progId, Factory factory);
    /// True when a server is registered under `progId`.
    bool HasServer(const QString& progId) const;

    /// "Create new": a new object of the server registered under `progId`. Throws `EOleException`
    /// (UnknownClass) when none is registered, (ServerFailed) when the server fails.
    AutomationRef CreateObject(const QString& progId);
    /// "Get running": the running object registered under `progId`. Throws `EOleException`
    /// (UnknownClass) when no server is registered, (NotRunning) when none is running.
    AutomationRef GetActiveObject(const QString& progId);
    /// Registers `object` as the running object of `progId` unless one is running already. Only a
    /// weak reference is kept: the object stops running when its last holder lets go.
    void RegisterActiveObject(const QString& progId, const AutomationRef& object);

private:
    std::map<QString, Factory> m_servers;
    std::map<QString, std::weak_ptr<AutomationObject>> m_running;
};

/// The automation in force: one with this platform's servers ("Excel.Application", "Word.Basic")
/// unless a test installed another.
Automation& automation();

/// Installs `a` as the automation in force; nullptr restores the platform's. The caller keeps
/// ownership.
void setAutomation(Automation* a);

} // namespace platform
