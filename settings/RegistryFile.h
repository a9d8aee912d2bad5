#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

namespace platform {

/// The type of a registry value, as far as the program tells them apart.
enum class RegDataType { Unknown, String, ExpandString, Integer, Binary };

/// One value of a key.
struct RegistryValue {
    /// The value's name; empty for the key's default value ("@").
    QString Name;
    RegDataType Type = RegDataType::Unknown;
    /// The number of an Integer value.
    uint32_t Dword = 0;
    /// The text of a String or ExpandString value.
    QString Text;
    /// The data as read (the part after '='), used to write back values of types the program
    /// does not edit (binary, multi-string, ...) unchanged.
    QString Raw;
};

/// The contents of a registry-export text file: sections "[HKEY_...\path]" holding values
/// `"Name"=dword:0000000a` and `"Name"="text"`. Key paths are lists of key names starting with
/// the root ("HKEY_CURRENT_USER"); key and value names are compared without case, as the
/// registry does. Lines the program does not understand are kept and written back. Any string
/// value, NUL characters and unpaired UTF-16 surrogates included, reads back as it was written.
/// Reading is linear in the file size and finding a value by name takes constant time.
class RegistryFile {
public:
    /// The header line written at the top of every file.
    static const QString Header;

    /// Compares key and value names as the registry does (without case).
    static QString nameKey(const QString& name) { return name.toCaseFolded(); }

    /// Replaces the contents with the parsed `bytes` (UTF-8, or UTF-16 with byte-order mark).
    /// Empty input is an empty registry. On a syntax error returns false, leaves the contents
    /// unchanged and sets `error` to the line and the reason.
    bool parse(const QByteArray& bytes, QString& error);

    /// The contents as UTF-8 text in export form.
    QByteArray serialize() const;

    /// True when the key, or any key below it, has a section.
    bool hasKey(const QStringList& key) const;

    /// Adds an empty section for the key unless the key already has one.
    void addKey(const QStringList& key);

    /// The value `name` of the key, or nullptr.
    const RegistryValue* findValue(const QStringList& key, const QString& name) const;

    /// Sets a value, replacing one of the same name (keeping that name's spelling) or adding
    /// it at the end of the key's section, which is created if needed.
    void setValue(const QStringList& key, const RegistryValue& value);

    /// Removes the value; false when the key has no value of that name.
    bool deleteValue(const QStringList& key, const QString& name);

    /// Every key that has a section, once each, in the order of their first sections.
    QList<QStringList> keys() const;

    /// The names of the key's values in file order.
    QStringList valueNames(const QStringList& key) const;

    /// Splits a section path ("HKEY_CURRENT_USER\Software\X") into key names, dropping empty ones.
    static QStringList splitPath(const QString& path);

    /// True when a key or value name can be stored in the file (no line breaks or other
    /// control characters, no unpaired UTF-16 surrogate).
    static bool isStorableName(const QString& name);

    /// True when `s` holds a UTF-16 surrogate without its partner (UTF-8 cannot store it).
    static bool hasLoneSurrogate(const QString& s);

private:
    struct Line {
        bool IsValue = false;
        RegistryValue Value; // when IsValue
        QString Text;        // a kept line otherwise (comment, deletion mark, unknown line)
    };
    struct Section {
        QString Path; // as written between the brackets
        QStringList Key;
        std::vector<Line> Lines;
    };

    struct Location {
        size_t Section = 0;
        size_t Line = 0;
    };

    static QString pathKey(const QStringList& key);
    static bool sameKey(const QStringList& a, const QStringList& b);
    static bool isBelow(const QStringList& key, const QStringList& parent);
    Line* findLine(const QStringList& key, const QString& name);
    void rebuildIndex();
    void indexSection(size_t section);

    QStringList m_preamble; // kept lines before the first section
    std::vector<Section> m_sections;
    // Derived from m_sections: the sections of each key in file order, and per key the line that
    // holds each value name (in the key's last section that has it). Keys are pathKey/nameKey.
    QHash<QString, std::vector<size_t>> m_sectionsByKey;
    QHash<QString, QHash<QString, Location>> m_valuesByKey;
};

} // namespace platform
