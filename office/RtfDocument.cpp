#include "office/RtfDocument.h"

#include <QRegularExpression>
#include <QSet>
#include <algorithm>

namespace platform {

namespace {

const char* const kEmptyDocument = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1"
                                   "{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}\n"
                                   "\\paperw11906\\paperh16838\\margl1134\\margr1134\\margt1134\\margb1134\n"
                                   "\\pard\\plain\\f0\\fs20\\par\n}";

// Destinations of groups that belong to the document's header or to page furniture: the cursor of
// a freshly opened document is after them.
bool isHeaderDestination(const QByteArray& word) {
    static const QSet<QByteArray> names = {"fonttbl",
                                           "colortbl",
                                           "stylesheet",
                                           "info",
                                           "listtable",
                                           "listoverridetable",
                                           "rsidtbl",
                                           "generator",
                                           "header",
                                           "headerl",
                                           "headerr",
                                           "headerf",
                                           "footer",
                                           "footerl",
                                           "footerr",
                                           "footerf",
                                           "pgdsctbl",
                                           "xmlnstbl",
                                           "filetbl",
                                           "revtbl",
                                           "latentstyles",
                                           "themedata",
                                           "colorschememapping",
                                           "datastore",
                                           "mmathPr",
                                           "defchp",
                                           "defpap",
                                           "userprops"};
    return names.contains(word);
}

// Control words that only occur in the body: the body starts at the first of them.
bool startsBody(const QByteArray& word) {
    static const QSet<QByteArray> names = {"par", "pard", "trowd", "tab",   "line",   "page",   "sect",
                                           "u",   "cell", "row",   "intbl", "emdash", "endash", "bullet"};
    return names.contains(word);
}

// Reads the control word at rtf[i] (just after the backslash); returns its letters and moves i
// past the word, its numeric parameter and one delimiting space.
QByteArray readWord(const QByteArray& rtf, int& i) {
    const int start = i;
    while (i < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf[i])))
        ++i;
    const QByteArray word = rtf.mid(start, i - start);
    if (i < rtf.size() && rtf[i] == '-')
        ++i;
    while (i < rtf.size() && std::isdigit(static_cast<unsigned char>(rtf[i])))
        ++i;
    if (i < rtf.size() && rtf[i] == ' ')
        ++i;
    return word;
}

// Index of the brace closing the group opened at rtf[open].
int groupEnd(const QByteArray& rtf, int open) {
    int depth = 0;
    for (int i = open; i < rtf.size(); ++i) {
        const char c = rtf[i];
        if (c == '\\') {
            ++i;
        } else if (c == '{') {
            ++depth;
        } else if (c == '}' && --depth == 0) {
            return i;
        }
    }
    return -1;
}

// Where the body of the document starts: after the header groups and document settings, before the
// first text, paragraph or body group. -1 when the document is not closed properly.
int bodyStart(const QByteArray& rtf) {
    int i = 1; // after the document's opening brace
    while (i < rtf.size()) {
        const char c = rtf[i];
        if (c == '\r' || c == '\n') {
            ++i;
        } else if (c == '}') {
            return i;
        } else if (c == '{') {
            int j = i + 1;
            while (j < rtf.size() && (rtf[j] == '\r' || rtf[j] == '\n' || rtf[j] == ' '))
                ++j;
            bool header = false;
            if (j + 1 < rtf.size() && rtf[j] == '\\') {
                if (rtf[j + 1] == '*') {
                    header = true;
                } else {
                    int k = j + 1;
                    header = isHeaderDestination(readWord(rtf, k));
                }
            }
            if (!header)
                return i;
            const int end = groupEnd(rtf, i);
            if (end < 0)
                return -1;
            i = end + 1;
        } else if (c == '\\') {
            if (i + 1 >= rtf.size())
                return -1;
            const char next = rtf[i + 1];
            if (!std::isalpha(static_cast<unsigned char>(next)))
                return i; // a control symbol (\'xx, \~, \\, ...) is text
            int k = i + 1;
            if (startsBody(readWord(rtf, k)))
                return i;
            i = k;
        } else {
            return i;
        }
    }
    return -1;
}

int twipsOf(const QByteArray& prefix, const char* word, int fallback) {
    const QRegularExpression re(QStringLiteral("\\\\%1(-?\\d+)").arg(QLatin1String(word)));
    const auto m = re.match(QString::fromLatin1(prefix));
    return m.hasMatch() ? m.captured(1).toInt() : fallback;
}

// Splits `text` into records and fields. A field that starts with a double quote runs to the
// closing quote; two quotes inside it stand for one.
std::vector<QStringList> parseFields(const QString& text, QChar fieldSep) {
    std::vector<QStringList> records;
    QStringList fields;
    QString field;
    int i = 0;
    const int n = text.size();
    bool atFieldStart = true;
    auto endField = [&] {
        fields.append(field);
        field.clear();
        atFieldStart = true;
    };
    while (i < n) {
        const QChar c = text[i];
        if (atFieldStart && c == QLatin1Char('"')) {
            const int close = [&] {
                for (int k = i + 1; k < n; ++k) {
                    if (text[k] != QLatin1Char('"'))
                        continue;
                    if (k + 1 < n && text[k + 1] == QLatin1Char('"')) {
                        ++k;
                        continue;
                    }
                    return k;
                }
                return -1;
            }();
            if (close >= 0 &&
                (close + 1 == n || text[close + 1] == fieldSep || text[close + 1] == QLatin1Char('\r'))) {
                field = text.mid(i + 1, close - i - 1);
                field.replace(QLatin1String("\"\""), QLatin1String("\""));
                i = close + 1;
                atFieldStart = false;
                continue;
            }
        }
        atFieldStart = false;
        if (c == QLatin1Char('\r')) {
            endField();
            records.push_back(fields);
            fields.clear();
        } else if (c == fieldSep) {
            endField();
        } else {
            field += c;
        }
        ++i;
    }
    if (!field.isEmpty() || !fields.isEmpty()) {
        fields.append(field);
        records.push_back(fields);
    }
    return records;
}

} // namespace

RtfDocument::RtfDocument() {
    Load(kEmptyDocument);
}

QString RtfDocument::Load(const QByteArray& rtf) {
    if (!rtf.startsWith("{\\rtf"))
        return QStringLiteral("not an RTF document");
    const int at = bodyStart(rtf);
    if (at < 0)
        return QStringLiteral("the RTF document is incomplete");
    m_prefix = rtf.left(at);
    m_suffix = rtf.mid(at);
    m_suffixHasBody = !m_suffix.trimmed().startsWith('}');
    m_blocks.clear();
    m_tail.clear();
    m_selFirst = -1;
    return {};
}

void RtfDocument::Insert(const QString& text) {
    m_selFirst = -1;
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\r"));
    t.replace(QLatin1Char('\n'), QLatin1Char('\r'));
    const QStringList parts = t.split(QLatin1Char('\r'));
    for (int i = 0; i < parts.size(); ++i) {
        m_tail += parts[i];
        if (i + 1 < parts.size()) {
            Block p;
            p.text = m_tail;
            m_blocks.push_back(p);
            m_tail.clear();
        }
    }
}

int RtfDocument::lineCount() const {
    int lines = 0;
    for (const Block& b : m_blocks)
        lines += b.isTable ? int(b.rows.size()) : 1;
    return lines;
}

void RtfDocument::LineUp(int count, bool extend) {
    if (!extend || count < 1) {
        m_selFirst = -1;
        return;
    }
    // The cursor is on the line after the last block (the tail's line).
    int target = std::max(0, lineCount() - count);
    int block = 0;
    for (; block < int(m_blocks.size()); ++block) {
        const int lines = m_blocks[block].isTable ? int(m_blocks[block].rows.size()) : 1;
        if (target < lines)
            break;
        target -= lines;
    }
    m_selFirst = block < int(m_blocks.size()) || !m_tail.isEmpty() ? block : -1;
}

QString RtfDocument::TextToTable(int convertFrom, int numColumns) {
    if (m_selFirst < 0)
        return QStringLiteral("no text is selected");
    QChar sep;
    switch (convertFrom) {
    case 0:
        sep = QLatin1Char('\r');
        break;
    case 1:
        sep = QLatin1Char('\t');
        break;
    case 2:
        sep = QLatin1Char(',');
        break;
    default:
        return QStringLiteral("unknown separator %1").arg(convertFrom);
    }
    QString text;
    for (int b = m_selFirst; b < int(m_blocks.size()); ++b) {
        if (m_blocks[b].isTable)
            return QStringLiteral("the selection contains a table");
        text += m_blocks[b].text + QLatin1Char('\r');
    }
    text += m_tail;
    std::vector<QStringList> records = parseFields(text, sep);
    if (convertFrom == 0) { // every paragraph is one field
        std::vector<QStringList> cells;
        for (const QStringList& r : records)
            cells.push_back({r.join(QLatin1Char('\r'))});
        records = cells;
    }
    int columns = numColumns;
    if (columns < 1)
        for (const QStringList& r : records)
            columns = std::max(columns, int(r.size()));
    columns = std::max(columns, 1);
    Block table;
    table.isTable = true;
    for (const QStringList& r : records) {
        for (int start = 0; start < std::max(1, int(r.size())); start += columns) {
            QStringList row = r.mid(start, columns);
            while (row.size() < columns)
                row.append(QString());
            table.rows.push_back(row);
        }
    }
    m_blocks.erase(m_blocks.begin() + m_selFirst, m_blocks.end());
    if (!table.rows.empty())
        m_blocks.push_back(table);
    m_tail.clear();
    m_selFirst = -1;
    return {};
}

QByteArray RtfDocument::Escape(const QString& text) {
    QByteArray out;
    out.reserve(text.size() + 8);
    for (int i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c == '\\' || c == '{' || c == '}') {
            out += '\\';
            out += char(c);
        } else if (c == '\t') {
            out += "\\tab ";
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
                ++i;
            out += "\\line ";
        } else if (c >= 0x20 && c < 0x7f) {
            out += char(c);
        } else if (c < 0x20) {
            // other control characters have no place in a document
        } else {
            out += "\\u" + QByteArray::number(int(int16_t(c)));
            if (c >= 0xa0 && c <= 0xff)
                out += "\\'" + QByteArray::number(int(c), 16).rightJustified(2, '0');
            else
                out += '?';
        }
    }
    return out;
}

int RtfDocument::textWidthTwips() const {
    const int width = twipsOf(m_prefix, "paperw", 11906) - twipsOf(m_prefix, "margl", 1134) -
                      twipsOf(m_prefix, "margr", 1134);
    return std::max(width, 1440);
}

QByteArray RtfDocument::tableRtf(const Block& table) const {
    const int columns = table.rows.empty() ? 0 : int(table.rows.front().size());
    // Columns share the text width by their longest text, none narrower than four characters.
    std::vector<int> weight(columns, 4);
    for (const QStringList& row : table.rows)
        for (int c = 0; c < columns; ++c)
            weight[c] = std::max(weight[c], int(std::min<qsizetype>(row[c].size(), 60)));
    int total = 0;
    for (int w : weight)
        total += w;
    QByteArray cellDefs;
    const int width = textWidthTwips();
    int right = 0;
    for (int c = 0; c < columns; ++c) {
        right = c + 1 == columns ? width : right + width * weight[c] / total;
        cellDefs += "\\clbrdrt\\brdrs\\brdrw10\\clbrdrl\\brdrs\\brdrw10\\clbrdrb\\brdrs\\brdrw10"
                    "\\clbrdrr\\brdrs\\brdrw10\\cellx" +
                    QByteArray::number(right);
    }
    QByteArray out;
    for (const QStringList& row : table.rows) {
        out += "\\trowd\\trgaph70\\trleft0" + cellDefs + "\n\\pard\\plain\\intbl ";
        for (const QString& cell : row)
            out += Escape(cell) + "\\cell ";
        out += "\\row\n";
    }
    return out;
}

QByteArray RtfDocument::ToRtf() const {
    QByteArray out = m_prefix;
    if (!out.endsWith('\n'))
        out += '\n';
    for (const Block& b : m_blocks)
        out += b.isTable ? tableRtf(b) : "\\pard\\plain " + Escape(b.text) + "\\par\n";
    const bool endsInTable = !m_blocks.empty() && m_blocks.back().isTable;
    if (!m_tail.isEmpty() || endsInTable)
        out += "\\pard\\plain " + Escape(m_tail);
    if (endsInTable && m_tail.isEmpty() && !m_suffixHasBody)
        out += "\\par\n";
    out += m_suffix;
    return out;
}

} // namespace platform
