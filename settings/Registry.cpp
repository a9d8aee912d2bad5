#include "settings/Registry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "platform/RegularFile.h"

namespace platform {

namespace {

const QString RootKey = QStringLiteral("HKEY_CURRENT_USER");

QString getFailed(const QString& name) {
    return QStringLiteral("Failed to get data for '%1'").arg(name);
}

QString invalidType(const QString& name) {
    return QStringLiteral("Invalid data type for '%1'").arg(name);
}

QString setFailed(const QString& name, const QString& reason) {
    return QStringLiteral("Failed to set data for '%1': %2").arg(name, reason);
}

} // namespace

Registry::Registry() : Registry(DefaultFileName()) {}

Registry::Registry(const QString& fileName) : m_fileName(fileName) {}

Registry::~Registry() = default;

QString Registry::DefaultFileName() {
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    // The base directory rules ignore a relative path in the variable.
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.config");
    QString title = QCoreApplication::applicationName();
    if (title.isEmpty())
        title = QStringLiteral("Vantro");
    return base + u'/' + title + QStringLiteral("/registry.reg");
}

bool Registry::resolve(const QString& key, QStringList& path) {
    const QStringList names = RegistryFile::splitPath(key);
    for (const QString& n : names) {
        if (!RegistryFile::isStorableName(n)) {
            m_lastError = QStringLiteral("Invalid key name '%1'").arg(n);
            return false;
        }
    }
    if (key.startsWith(u'\\') || !m_open)
        path = QStringList{RootKey} + names;
    else
        path = m_key + names;
    return true;
}

bool Registry::load(RegistryFile& file) {
    // Opened without blocking and checked to be a regular file: a FIFO in its place must not
    // stop the program before its window appears.
    const FileReadResult read = ReadRegularFile(m_fileName, MaxFileSize);
    if (read.Status == FileReadStatus::Missing) {
        file = RegistryFile();
        return true;
    }
    if (read.Status != FileReadStatus::Read) {
        m_lastError = QStringLiteral("Cannot read %1: %2").arg(m_fileName, read.Error);
        return false;
    }
    QString error;
    RegistryFile parsed;
    if (!parsed.parse(read.Bytes, error)) {
        m_lastError = QStringLiteral("%1, %2").arg(m_fileName, error);
        return false;
    }
    file = std::move(parsed);
    return true;
}

bool Registry::save(const RegistryFile& file) {
    const QString folder = QFileInfo(m_fileName).absolutePath();
    if (!QDir().mkpath(folder)) {
        m_lastError = QStringLiteral("Cannot create the folder %1").arg(folder);
        return false;
    }
    QSaveFile f(m_fileName);
    if (!f.open(QIODevice::WriteOnly)) {
        m_lastError = QStringLiteral("Cannot save %1: %2").arg(m_fileName, f.errorString());
        return false;
    }
    const QByteArray bytes = file.serialize();
    // A file that could not be read back would cost every setting at the next start.
    if (bytes.size() > MaxFileSize) {
        m_lastError = QStringLiteral("Cannot save %1: the settings would exceed %2 bytes")
                          .arg(m_fileName)
                          .arg(MaxFileSize);
        return false;
    }
    // commit() does not notice a failed flush of the buffered data (Qt 6.4) and would replace
    // the old file with a cut-off one, so flush first and look at the result.
    if (f.write(bytes) != bytes.size() || !f.flush() || !f.commit()) {
        m_lastError = QStringLiteral("Cannot save %1: %2").arg(m_fileName, f.errorString());
        f.cancelWriting();
        return false;
    }
    return true;
}

bool Registry::OpenKey(const QString& key, bool canCreate) {
    QStringList path;
    if (!resolve(key, path))
        return false;
    RegistryFile file;
    if (!load(file))
        return false;
    if (!file.hasKey(path)) {
        if (!canCreate) {
            m_lastError = QStringLiteral("The key %1 does not exist").arg(path.join(u'\\'));
            return false;
        }
        file.addKey(path);
        if (!save(file))
            return false;
    }
    m_file = std::move(file);
    m_key = path;
    m_open = true;
    return true;
}

void Registry::CloseKey() {
    m_open = false;
    m_key.clear();
    m_file = RegistryFile();
}

QString Registry::CurrentPath() const {
    return m_key.mid(1).join(u'\\');
}

bool Registry::KeyExists(const QString& key) {
    QStringList path;
    RegistryFile file;
    return resolve(key, path) && load(file) && file.hasKey(path);
}

bool Registry::ValueExists(const QString& name) const {
    return m_open && m_file.findValue(m_key, name) != nullptr;
}

RegDataType Registry::GetDataType(const QString& name) const {
    const RegistryValue* v = m_open ? m_file.findValue(m_key, name) : nullptr;
    return v ? v->Type : RegDataType::Unknown;
}

QStringList Registry::GetValueNames() const {
    return m_open ? m_file.valueNames(m_key) : QStringList();
}

int Registry::ReadInteger(const QString& name) const {
    const RegistryValue* v = m_open ? m_file.findValue(m_key, name) : nullptr;
    if (!v)
        throw ERegistryException(getFailed(name));
    if (v->Type != RegDataType::Integer)
        throw ERegistryException(invalidType(name));
    return static_cast<int>(v->Dword);
}

bool Registry::ReadBool(const QString& name) const {
    return ReadInteger(name) != 0;
}

QString Registry::ReadString(const QString& name) const {
    const RegistryValue* v = m_open ? m_file.findValue(m_key, name) : nullptr;
    if (!v)
        return QString();
    if (v->Type != RegDataType::String && v->Type != RegDataType::ExpandString)
        throw ERegistryException(invalidType(name));
    return v->Text;
}

void Registry::write(const RegistryValue& value) {
    if (!m_open)
        throw ERegistryException(setFailed(value.Name, QStringLiteral("no key is open")));
    if (!RegistryFile::isStorableName(value.Name))
        throw ERegistryException(setFailed(value.Name, QStringLiteral("the name holds control characters")));
    // Start from the file as it is now, so values another instance wrote meanwhile survive.
    RegistryFile file;
    if (!load(file))
        throw ERegistryException(setFailed(value.Name, m_lastError));
    file.setValue(m_key, value);
    if (!save(file))
        throw ERegistryException(setFailed(value.Name, m_lastError));
    m_file = std::move(file);
}

void Registry::WriteInteger(const QString& name, int value) {
    RegistryValue v;
    v.Name = name;
    v.Type = RegDataType::Integer;
    v.Dword = static_cast<uint32_t>(value);
    write(v);
}

void Registry::WriteBool(const QString& name, bool value) {
    WriteInteger(name, value ? 1 : 0);
}

void Registry::WriteString(const QString& name, const QString& value) {
    RegistryValue v;
    v.Name = name;
    v.Type = RegDataType::String;
    v.Text = value;
    write(v);
}

bool Registry::DeleteValue(const QString& name) {
    if (!m_open) {
        m_lastError = QStringLiteral("No key is open");
        return false;
    }
    RegistryFile file;
    if (!load(file))
        return false;
    if (!file.deleteValue(m_key, name)) {
        m_lastError = QStringLiteral("The value '%1' does not exist").arg(name);
        return false;
    }
    if (!save(file))
        return false;
    m_file = std::move(file);
    return true;
}

} // namespace platform
