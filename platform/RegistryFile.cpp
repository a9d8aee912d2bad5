#include "RegistryFile.h"

#include <QStringDecoder>

#include <algorithm>

namespace platform {

const QString RegistryFile::Header = QStringLiteral("Windows Registry Editor Version 5.00");

namespace {

bool decode(const QByteArray& bytes, QString& text) {
    QByteArray body = bytes;
    QStringConverter::Encoding encoding = QStringConverter::Utf8;
    // Exports written by the registry editor itself are UTF-16 with a byte-order mark.
    if (bytes.startsWith("\xFF\xFE")) {
        encoding = QStringConverter::Utf16LE;
        body = bytes.mid(2);
    } else if (bytes.startsWith("\xFE\xFF")) {
        encoding = QStringConverter::Utf16BE;
        body = bytes.mid(2);
    } else if (bytes.startsWith("\xEF\xBB\xBF")) {
        body = bytes.mid(3);
    }
    QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless);
    text = decoder.decode(body);
    return !decoder.hasError();
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

bool needsHexForm(const QString& s) {
    for (const QChar c : s) {
        if (c.unicode() < 0x20 && c != u'\t')
            return true;
    }
    return false;
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

QString fromUtf16Le(const QByteArray& bytes) {
    QString s;
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2)
        s += QChar(static_cast<char16_t>(static_cast<uint8_t>(bytes[i]) |
                                         (static_cast<uint8_t>(bytes[i + 1]) << 8)));
    // Stored strings end with a NUL; a reader stops at the first one.
    const qsizetype nul = s.indexOf(QChar(0));
    return nul < 0 ? s : s.left(nul);
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
        } else if (kind == u"hex(1)") {
            value.Type = RegDataType::String;
            value.Text = fromUtf16Le(bytes);
        } else if (kind == u"hex(2)") {
            value.Type = RegDataType::ExpandString;
            value.Text = fromUtf16Le(bytes);
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
    return !std::any_of(name.begin(), name.end(),
                        [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7F; });
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
    if (!decode(bytes, text)) {
        error = QStringLiteral("the file is not UTF-8 text");
        return false;
    }
    const QStringList lines = text.split(u'\n');
    QStringList preamble;
    std::vector<Section> sections;
    bool headerSeen = false;
    auto fail = [&](qsizetype lineIndex, const QString& reason) {
        error = QStringLiteral("line %1: %2").arg(lineIndex + 1).arg(reason);
        return false;
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
            if (sections.empty())
                preamble << line;
            else
                sections.back().Lines.push_back({false, {}, line});
            continue;
        }
        if (line.startsWith(u'[')) {
            if (!line.endsWith(u']'))
                return fail(first, QStringLiteral("missing ']'"));
            Section s;
            s.Path = line.mid(1, line.size() - 2);
            s.Key = splitPath(s.Path);
            sections.push_back(std::move(s));
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
                sections.back().Lines.push_back({false, {}, line});
                continue;
            }
            // A name given twice in one section: the later one holds, as on import.
            auto& sectionLines = sections.back().Lines;
            auto dup = std::find_if(sectionLines.begin(), sectionLines.end(), [&](const Line& l) {
                return l.IsValue && l.Value.Name.compare(value.Name, Qt::CaseInsensitive) == 0;
            });
            if (dup != sectionLines.end())
                dup->Value = value;
            else
                sectionLines.push_back({true, value, {}});
            continue;
        }
        // Anything else is kept where it stands.
        if (sections.empty())
            preamble << line;
        else
            sections.back().Lines.push_back({false, {}, line});
    }

    m_preamble = std::move(preamble);
    m_sections = std::move(sections);
    return true;
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
    for (const Section& s : m_sections) {
        if (sameKey(s.Key, key))
            return;
    }
    m_sections.push_back({key.join(u'\\'), key, {}});
}

RegistryFile::Line* RegistryFile::findLine(const QStringList& key, const QString& name) {
    // A key may have several sections; the last value of a name holds.
    for (auto s = m_sections.rbegin(); s != m_sections.rend(); ++s) {
        if (!sameKey(s->Key, key))
            continue;
        for (Line& l : s->Lines) {
            if (l.IsValue && l.Value.Name.compare(name, Qt::CaseInsensitive) == 0)
                return &l;
        }
    }
    return nullptr;
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
    for (auto s = m_sections.rbegin(); s != m_sections.rend(); ++s) {
        if (sameKey(s->Key, key)) {
            s->Lines.push_back({true, value, {}});
            return;
        }
    }
}

bool RegistryFile::deleteValue(const QStringList& key, const QString& name) {
    bool found = false;
    for (Section& s : m_sections) {
        if (!sameKey(s.Key, key))
            continue;
        const auto removed = std::erase_if(s.Lines, [&](const Line& l) {
            return l.IsValue && l.Value.Name.compare(name, Qt::CaseInsensitive) == 0;
        });
        found = found || removed > 0;
    }
    return found;
}

QStringList RegistryFile::valueNames(const QStringList& key) const {
    QStringList names;
    for (const Section& s : m_sections) {
        if (!sameKey(s.Key, key))
            continue;
        for (const Line& l : s.Lines) {
            if (l.IsValue && !names.contains(l.Value.Name, Qt::CaseInsensitive))
                names << l.Value.Name;
        }
    }
    return names;
}

} // namespace platform
