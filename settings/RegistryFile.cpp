#include "settings/RegistryFile.h"

#include <QSet>
#include <QStringDecoder>

#include <algorithm>

namespace platform {

const QString RegistryFile::Header = QStringLiteral("Windows Registry Editor Version 5.00");

namespace {

// UTF-16 is taken code unit by code unit, so that an unpaired surrogate stays what it is instead
// of turning into a replacement character.
QString fromUtf16Units(const QByteArray& body, bool bigEndian) {
    QString s;
    s.reserve(body.size() / 2);
    for (qsizetype i = 0; i + 1 < body.size(); i += 2) {
        const auto b0 = static_cast<uint8_t>(body[i]);
        const auto b1 = static_cast<uint8_t>(body[i + 1]);
        s += QChar(static_cast<char16_t>(bigEndian ? (b0 << 8) | b1 : b0 | (b1 << 8)));
    }
    return s;
}

bool decode(const QByteArray& bytes, QString& text, QString& error) {
    // Exports written by the registry editor itself are UTF-16 with a byte-order mark.
    const bool le = bytes.startsWith("\xFF\xFE");
    if (le || bytes.startsWith("\xFE\xFF")) {
        if (bytes.size() % 2 != 0) {
            error = QStringLiteral("the UTF-16 text ends in half a character");
            return false;
        }
        text = fromUtf16Units(bytes.mid(2), !le);
        return true;
    }
    const QByteArray body = bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes;
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    text = decoder.decode(body);
    if (decoder.hasError()) {
        error = QStringLiteral("the file is not UTF-8 text");
        return false;
    }
    return true;
}

// Reads a quoted text starting at `pos` (on the opening quote); `pos` ends after the closing one.
bool parseQuoted(const QString& s, qsizetype& pos, QString& out) {
    out.clear();
    ++pos;
    while (pos < s.size()) {
        const QChar c = s[pos++];
        if (c == u'"')
            return true;
        if (c == u'\\') {
            if (pos >= s.size())
                return false;
            const QChar next = s[pos++];
            // Only \\ and \" are escapes; anything else is kept as it stands.
            if (next != u'\\' && next != u'"')
                out += c;
            out += next;
        } else {
            out += c;
        }
    }
    return false;
}

QString quote(const QString& s) {
    QString out;
    out.reserve(s.size() + 2);
    out += u'"';
    for (const QChar c : s) {
        if (c == u'\\' || c == u'"')
            out += u'\\';
        out += c;
    }
    out += u'"';
    return out;
}

// Texts that a quoted form cannot carry through a UTF-8 line: line breaks, other control
// characters (NUL included) and unpaired surrogates. The hex form stores the UTF-16 code units.
bool needsHexForm(const QString& s) {
    for (const QChar c : s) {
        if (c.unicode() < 0x20 && c != u'\t')
            return true;
    }
    return RegistryFile::hasLoneSurrogate(s);
}

bool parseHexBytes(const QString& list, QByteArray& out) {
    out.clear();
    const QStringList parts = list.split(u',');
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString part = parts[i].trimmed();
        if (part.isEmpty() && i == parts.size() - 1)
            break; // a trailing comma or an empty list
        bool ok = false;
        const uint byte = part.toUInt(&ok, 16);
        if (!ok || part.size() > 2 || byte > 0xFF)
            return false;
        out.append(static_cast<char>(byte));
    }
    return true;
}

QString hexList(const QByteArray& bytes) {
    QStringList parts;
    parts.reserve(bytes.size());
    for (const char b : bytes)
        parts << QStringLiteral("%1").arg(static_cast<uint8_t>(b), 2, 16, QLatin1Char('0'));
    return parts.join(u',');
}

// A stored string is its code units and one terminating NUL. Everything before that NUL is the
// text, NUL characters inside it included, so that every text written reads back the same.
bool fromUtf16Le(const QByteArray& bytes, QString& text) {
    if (bytes.size() % 2 != 0)
        return false;
    text = fromUtf16Units(bytes, false);
    if (text.endsWith(QChar(0)))
        text.chop(1);
    return true;
}

QByteArray toUtf16LeWithNul(const QString& s) {
    QByteArray out;
    for (const QChar c : s) {
        out.append(static_cast<char>(c.unicode() & 0xFF));
        out.append(static_cast<char>(c.unicode() >> 8));
    }
    out.append(2, '\0');
    return out;
}

// Parses the data after '='. Returns false on a broken value of a known type.
// Sets `isDeletion` for the import form "name"=- which is kept as a plain line.
bool parseData(const QString& data, RegistryValue& value, bool& isDeletion, QString& error) {
    isDeletion = false;
    value.Raw = data;
    if (data == u"-") {
        isDeletion = true;
        return true;
    }
    if (data.startsWith(u'"')) {
        qsizetype pos = 0;
        if (!parseQuoted(data, pos, value.Text)) {
            error = QStringLiteral("unterminated text");
            return false;
        }
        if (pos != data.size()) {
            error = QStringLiteral("unexpected characters after the text");
            return false;
        }
        value.Type = RegDataType::String;
        return true;
    }
    if (data.startsWith(u"dword:", Qt::CaseInsensitive)) {
        const QString digits = data.mid(6).trimmed();
        bool ok = false;
        const uint n = digits.toUInt(&ok, 16);
        // toUInt also accepts signs and "0x"; a dword is plain hex digits only.
        const bool plain = std::all_of(digits.begin(), digits.end(), [](QChar c) {
            return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
        });
        if (!ok || !plain || digits.isEmpty() || digits.size() > 8) {
            error = QStringLiteral("bad dword value");
            return false;
        }
        value.Type = RegDataType::Integer;
        value.Dword = n;
        return true;
    }
    if (data.startsWith(u"hex", Qt::CaseInsensitive)) {
        const qsizetype colon = data.indexOf(u':');
        if (colon < 0) {
            error = QStringLiteral("bad hex value");
            return false;
        }
        const QString kind = data.left(colon).toLower().remove(u' ');
        QByteArray bytes;
        if (!parseHexBytes(data.mid(colon + 1), bytes)) {
            error = QStringLiteral("bad hex value");
            return false;
        }
        if (kind == u"hex") {
            value.Type = RegDataType::Binary;
        } else if (kind == u"hex(1)" && fromUtf16Le(bytes, value.Text)) {
            value.Type = RegDataType::String;
        } else if (kind == u"hex(2)" && fromUtf16Le(bytes, value.Text)) {
            value.Type = RegDataType::ExpandString;
        } else if (kind == u"hex(4)" && bytes.size() == 4) {
            value.Type = RegDataType::Integer;
            value.Dword = static_cast<uint8_t>(bytes[0]) | (static_cast<uint8_t>(bytes[1]) << 8) |
                          (static_cast<uint8_t>(bytes[2]) << 16) |
                          (static_cast<uint32_t>(static_cast<uint8_t>(bytes[3])) << 24);
        } else {
            value.Type = RegDataType::Unknown;
        }
        return true;
    }
    value.Type = RegDataType::Unknown;
    return true;
}

QString dataText(const RegistryValue& v) {
    switch (v.Type) {
    case RegDataType::Integer:
        return QStringLiteral("dword:%1").arg(v.Dword, 8, 16, QLatin1Char('0'));
    case RegDataType::String:
        // Line breaks cannot stand inside a quoted text; the hex form keeps them.
        if (needsHexForm(v.Text))
            return QStringLiteral("hex(1):") + hexList(toUtf16LeWithNul(v.Text));
        return quote(v.Text);
    default:
        return v.Raw;
    }
}

} // namespace

QStringList RegistryFile::splitPath(const QString& path) {
    return path.split(u'\\', Qt::SkipEmptyParts);
}

bool RegistryFile::isStorableName(const QString& name) {
    return !std::any_of(name.begin(), name.end(), [](QChar c) {
        return c.unicode() < 0x20 || c.unicode() == 0x7F;
    }) && !hasLoneSurrogate(name);
}

bool RegistryFile::hasLoneSurrogate(const QString& s) {
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i].isHighSurrogate() && i + 1 < s.size() && s[i + 1].isLowSurrogate())
            ++i;
        else if (s[i].isSurrogate())
            return true;
    }
    return false;
}

QString RegistryFile::pathKey(const QStringList& key) {
    QString out;
    for (const QString& name : key) {
        out += nameKey(name);
        out += u'\\';
    }
    return out;
}

bool RegistryFile::sameKey(const QStringList& a, const QStringList& b) {
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (a[i].compare(b[i], Qt::CaseInsensitive) != 0)
            return false;
    }
    return true;
}

bool RegistryFile::isBelow(const QStringList& key, const QStringList& parent) {
    if (key.size() < parent.size())
        return false;
    return sameKey(key.mid(0, parent.size()), parent);
}

bool RegistryFile::parse(const QByteArray& bytes, QString& error) {
    QString text;
    if (!decode(bytes, text, error))
        return false;
    const QStringList lines = text.split(u'\n');
    QStringList preamble;
    std::vector<Section> sections;
    QHash<QString, size_t> namesInSection; // of the last section: nameKey -> line
    bool headerSeen = false;
    auto fail = [&](qsizetype lineIndex, const QString& reason) {
        error = QStringLiteral("line %1: %2").arg(lineIndex + 1).arg(reason);
        return false;
    };
    // Only text values have a form that carries an unpaired surrogate (from a UTF-16 file); in
    // anything else written back as UTF-8 it would change, so such a file is refused.
    auto unpaired = [&](qsizetype lineIndex) {
        return fail(lineIndex, QStringLiteral("unpaired UTF-16 surrogate outside a text value"));
    };
    auto keep = [&](qsizetype lineIndex, const QString& line) {
        if (hasLoneSurrogate(line))
            return unpaired(lineIndex);
        if (sections.empty())
            preamble << line;
        else
            sections.back().Lines.push_back({false, {}, line});
        return true;
    };

    for (qsizetype i = 0; i < lines.size(); ++i) {
        const qsizetype first = i;
        QString line = lines[i];
        if (line.endsWith(u'\r'))
            line.chop(1);
        line = line.trimmed();
        if (line.isEmpty())
            continue;
        if (!headerSeen) {
            if (line != Header && line != u"REGEDIT4")
                return fail(first, QStringLiteral("not a registry file (header missing)"));
            headerSeen = true;
            continue;
        }
        if (line.startsWith(u';')) {
            if (!keep(first, line))
                return false;
            continue;
        }
        if (line.startsWith(u'[')) {
            if (!line.endsWith(u']'))
                return fail(first, QStringLiteral("missing ']'"));
            if (hasLoneSurrogate(line))
                return unpaired(first);
            Section s;
            s.Path = line.mid(1, line.size() - 2);
            s.Key = splitPath(s.Path);
            sections.push_back(std::move(s));
            namesInSection.clear();
            continue;
        }
        if (line.startsWith(u'"') || line.startsWith(u'@')) {
            if (sections.empty())
                return fail(first, QStringLiteral("value outside a key"));
            RegistryValue value;
            qsizetype pos = 0;
            if (line.startsWith(u'@')) {
                pos = 1;
            } else if (!parseQuoted(line, pos, value.Name)) {
                return fail(first, QStringLiteral("unterminated value name"));
            }
            while (pos < line.size() && line[pos].isSpace())
                ++pos;
            if (pos >= line.size() || line[pos] != u'=')
                return fail(first, QStringLiteral("'=' missing after the value name"));
            QString data = line.mid(pos + 1).trimmed();
            // Long hex data continues on the next lines after a trailing backslash.
            if (data.startsWith(u"hex", Qt::CaseInsensitive)) {
                while (data.endsWith(u'\\') && i + 1 < lines.size()) {
                    data.chop(1);
                    data += lines[++i].trimmed();
                }
            }
            bool isDeletion = false;
            QString reason;
            if (!parseData(data, value, isDeletion, reason))
                return fail(first, reason);
            if (isDeletion) {
                if (!keep(first, line))
                    return false;
                continue;
            }
            if (hasLoneSurrogate(value.Name) ||
                (value.Type != RegDataType::String && hasLoneSurrogate(value.Raw)))
                return unpaired(first);
            // A name given twice in one section: the later one holds, as on import.
            auto& sectionLines = sections.back().Lines;
            const QString name = nameKey(value.Name);
            const auto dup = namesInSection.constFind(name);
            if (dup != namesInSection.constEnd()) {
                sectionLines[*dup].Value = value;
            } else {
                namesInSection.insert(name, sectionLines.size());
                sectionLines.push_back({true, value, {}});
            }
            continue;
        }
        // Anything else is kept where it stands.
        if (!keep(first, line))
            return false;
    }

    m_preamble = std::move(preamble);
    m_sections = std::move(sections);
    rebuildIndex();
    return true;
}

void RegistryFile::rebuildIndex() {
    m_sectionsByKey.clear();
    m_valuesByKey.clear();
    for (size_t s = 0; s < m_sections.size(); ++s)
        indexSection(s);
}

void RegistryFile::indexSection(size_t section) {
    const QString key = pathKey(m_sections[section].Key);
    m_sectionsByKey[key].push_back(section);
    auto& values = m_valuesByKey[key];
    const auto& lines = m_sections[section].Lines;
    for (size_t l = 0; l < lines.size(); ++l) {
        if (lines[l].IsValue)
            values.insert(nameKey(lines[l].Value.Name), {section, l});
    }
}

QByteArray RegistryFile::serialize() const {
    QString out = Header + QStringLiteral("\n\n");
    if (!m_preamble.isEmpty())
        out += m_preamble.join(u'\n') + QStringLiteral("\n\n");
    for (const Section& s : m_sections) {
        out += u'[' + s.Path + QStringLiteral("]\n");
        for (const Line& l : s.Lines) {
            if (!l.IsValue) {
                out += l.Text + u'\n';
                continue;
            }
            out += (l.Value.Name.isEmpty() ? QStringLiteral("@") : quote(l.Value.Name)) + u'=' +
                   dataText(l.Value) + u'\n';
        }
        out += u'\n';
    }
    return out.toUtf8();
}

bool RegistryFile::hasKey(const QStringList& key) const {
    return std::any_of(m_sections.begin(), m_sections.end(),
                       [&](const Section& s) { return isBelow(s.Key, key); });
}

void RegistryFile::addKey(const QStringList& key) {
    if (m_sectionsByKey.contains(pathKey(key)))
        return;
    m_sections.push_back({key.join(u'\\'), key, {}});
    indexSection(m_sections.size() - 1);
}

RegistryFile::Line* RegistryFile::findLine(const QStringList& key, const QString& name) {
    const auto values = m_valuesByKey.constFind(pathKey(key));
    if (values == m_valuesByKey.constEnd())
        return nullptr;
    const auto at = values->constFind(nameKey(name));
    if (at == values->constEnd())
        return nullptr;
    return &m_sections[at->Section].Lines[at->Line];
}

const RegistryValue* RegistryFile::findValue(const QStringList& key, const QString& name) const {
    const Line* l = const_cast<RegistryFile*>(this)->findLine(key, name);
    return l ? &l->Value : nullptr;
}

void RegistryFile::setValue(const QStringList& key, const RegistryValue& value) {
    if (Line* l = findLine(key, value.Name)) {
        const QString name = l->Value.Name;
        l->Value = value;
        l->Value.Name = name;
        return;
    }
    addKey(key);
    const QString k = pathKey(key);
    const size_t section = m_sectionsByKey.value(k).back();
    auto& lines = m_sections[section].Lines;
    m_valuesByKey[k].insert(nameKey(value.Name), {section, lines.size()});
    lines.push_back({true, value, {}});
}

bool RegistryFile::deleteValue(const QStringList& key, const QString& name) {
    const QString k = pathKey(key);
    const QString n = nameKey(name);
    bool found = false;
    for (const size_t s : m_sectionsByKey.value(k)) {
        const auto removed = std::erase_if(
            m_sections[s].Lines, [&](const Line& l) { return l.IsValue && nameKey(l.Value.Name) == n; });
        found = found || removed > 0;
    }
    if (found)
        rebuildIndex();
    return found;
}

QList<QStringList> RegistryFile::keys() const {
    QList<QStringList> out;
    for (size_t s = 0; s < m_sections.size(); ++s) {
        if (m_sectionsByKey.value(pathKey(m_sections[s].Key)).front() == s)
            out << m_sections[s].Key;
    }
    return out;
}

QStringList RegistryFile::valueNames(const QStringList& key) const {
    QStringList names;
    QSet<QString> seen;
    for (const size_t s : m_sectionsByKey.value(pathKey(key))) {
        for (const Line& l : m_sections[s].Lines) {
            if (l.IsValue && !seen.contains(nameKey(l.Value.Name))) {
                seen.insert(nameKey(l.Value.Name));
                names << l.Value.Name;
            }
        }
    }
    return names;
}

} // namespace platform
