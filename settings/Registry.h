#pragma once

#include "settings/ERegistryException.h"
#include "settings/RegistryFile.h"

#include <QString>
#include <QStringList>

namespace platform {

/// The current user's registry, one key at a time, kept in a registry-export text file.
/// Key paths are below HKEY_CURRENT_USER: "\Software\Vantro" is the section
/// "[HKEY_CURRENT_USER\Software\Vantro]". A path with a leading backslash starts at the root,
/// one without it below the open key. Every write goes to the file at once (atomically: a
/// failed save leaves the old file); reads see the file as it was when the key was opened
/// plus this object's own writes.
class Registry {
public:
    /// The largest settings file read or written (1 MiB); no real one comes near it.
    static constexpr qsizetype MaxFileSize = 1024 * 1024;

    /// A registry kept in `DefaultFileName()`.
    Registry();
    /// A registry kept in `fileName` (tests, other locations). Its folder is created on the first write.
    explicit Registry(const QString& fileName);
    Registry(const Registry&) = delete;
    Registry& operator=(const Registry&) = delete;
    ~Registry();

    /// `$XDG_CONFIG_HOME/<title>/registry.reg` (without that variable `~/.config/<title>/...`),
    /// `<title>` being the application name.
    static QString DefaultFileName();

    /// The file that holds the registry.
    const QString& FileName() const { return m_fileName; }

    /// Opens `key`; when it does not exist, creates it if `canCreate` (saving the file) or fails.
    /// False also when the file cannot be read (it is not a regular file, or larger than
    /// `MaxFileSize`), is not a registry file, or cannot be saved;
    /// `LastError()` then says why and the file is left as it was. On success the key takes the
    /// place of the one open before; on failure that one stays open.
    bool OpenKey(const QString& key, bool canCreate);

    /// Closes the open key. Nothing is pending: writes are already in the file.
    void CloseKey();

    /// The open key's path below the root without a leading backslash ("Software\Vantro"),
    /// empty when no key is open (or the root itself is).
    QString CurrentPath() const;

    /// True when a key is open.
    bool HasCurrentKey() const { return m_open; }

    /// True when `key` exists (read from the file now); false also when the file is unreadable.
    bool KeyExists(const QString& key);

    /// True when the open key has a value `name`.
    bool ValueExists(const QString& name) const;

    /// The type of the value `name`; `RegDataType::Unknown` when it is missing.
    RegDataType GetDataType(const QString& name) const;

    /// The names of the open key's values.
    QStringList GetValueNames() const;

    /// The value `name` as a signed 32-bit number. Throws `ERegistryException`
    /// "Failed to get data for '<name>'" when it is missing and
    /// "Invalid data type for '<name>'" when it is not an integer.
    int ReadInteger(const QString& name) const;

    /// `ReadInteger(name) != 0`, with its exceptions.
    bool ReadBool(const QString& name) const;

    /// The text of the value `name`; empty when it is missing. Throws `ERegistryException`
    /// "Invalid data type for '<name>'" when it holds another type than a string.
    QString ReadString(const QString& name) const;

    /// Stores `value` as a DWORD. Throws `ERegistryException` "Failed to set data for '<name>'..."
    /// when no key is open, the name cannot be stored or the file cannot be saved; the file and
    /// the values read afterwards are then unchanged.
    void WriteInteger(const QString& name, int value);

    /// Stores 1 or 0 as a DWORD, like `WriteInteger`.
    void WriteBool(const QString& name, bool value);

    /// Stores `value` as a string, like `WriteInteger`.
    void WriteString(const QString& name, const QString& value);

    /// Removes the value `name` from the open key and saves the file. False when there is no such
    /// value or the save failed (`LastError()` says which).
    bool DeleteValue(const QString& name);

    /// Why the last failed operation failed.
    const QString& LastError() const { return m_lastError; }

private:
    bool resolve(const QString& key, QStringList& path);
    bool load(RegistryFile& file);
    bool save(const RegistryFile& file);
    void write(const RegistryValue& value);

    QString m_fileName;
    bool m_open = false;
    QStringList m_key; // with the root as first name
    RegistryFile m_file;
    QString m_lastError;
};

} // namespace platform
