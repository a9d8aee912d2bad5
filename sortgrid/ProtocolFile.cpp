#include "sortgrid/ProtocolFile.h"

#include "core/CommaText.h"
#include "core/CommaTextItems.h"
#include "core/TextLines.h"
#include "sortgrid/EConvertError.h"

namespace {

const QString kGenerel = QStringLiteral("GenerelSettings");
const QString kFontCol = QStringLiteral("FontColSettings");
const QString kFontRow = QStringLiteral("FontRowSettings");
const QString kUser = QStringLiteral("UserSettings");

[[noreturn]] void Malformed(const QString& why) {
    throw EConvertError(QStringLiteral("Not a protocol file: %1").arg(why));
}

// A protocol holds a row format for every row, nearly all alike: an entry equal to the one before
// shares its text (writing) or its setting (reading, below) instead of being converted again.

QStringList FormatItems(const QString& name, const std::vector<TFontSetting>& list) {
    QStringList items{name};
    items.reserve(qsizetype(list.size()) + 1);
    QString text;
    for (size_t i = 0; i < list.size(); ++i) {
        if (i == 0 || !(list[i] == list[i - 1]))
            text = list[i].Text();
        items << text;
    }
    return items;
}

bool IsWholeNumber(const QString& s) {
    bool ok = false;
    s.toInt(&ok);
    return ok;
}

} // namespace

QStringList SplitFileLines(const QString& text) {
    QStringList lines;
    ForEachTextLine(text, [&](QStringView line) { lines << line.toString(); });
    while (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    return lines;
}

QStringList BuildProtocolLines(const ProtocolFileData& data) {
    QStringList lines;
    lines.reserve(qsizetype(data.Rows.size()) + 5);
    lines << ToCommaText(
        {kGenerel, data.ColumnFormatsFirst.value_or(false) ? QStringLiteral("1") : QStringLiteral("0")});
    lines << ToCommaText(FormatItems(kFontCol, data.ColumnFormats.value_or(std::vector<TFontSetting>{})));
    lines << ToCommaText(FormatItems(kFontRow, data.RowFormats.value_or(std::vector<TFontSetting>{})));
    lines << ToCommaText(QStringList{kUser} + data.UserSettings);
    lines << ToCommaText(data.Layout);
    for (const QStringList& row : data.Rows)
        lines << ToCommaText(row);
    return lines;
}

namespace {

[[noreturn]] void ZeroCharacter(qsizetype index) {
    Malformed(QStringLiteral("line %1 holds a zero character outside double quotes").arg(index + 1));
}

// Reads one line's items. A zero character outside double quotes would end the line there and drop
// the rest without a word; such a line (a binary file, for one) is not a protocol line.
QStringList ReadItems(CommaTextReader& reader, QStringView line, qsizetype index) {
    bool whole = true;
    QStringList items = reader.Read(line, whole);
    if (!whole)
        ZeroCharacter(index);
    return items;
}

// Reads a format settings line straight into settings, without a string per entry; nullopt when the
// line is not the one called `name`. Raises what ReadItems and TFontSetting::setText raise.
std::optional<std::vector<TFontSetting>> ReadFormatLine(QStringView line, const QString& name,
                                                        qsizetype index) {
    std::vector<TFontSetting> formats;
    qsizetype count = 0;
    bool other = false;
    QString converted; // the text of the last entry converted
    const qsizetype stop = ForEachCommaItem(line, [&](QStringView text) {
        if (count++ == 0) {
            other = text != name;
            return !other;
        }
        if (formats.empty() || text != converted) {
            converted = text.toString();
            TFontSetting setting;
            setting.setText(converted);
            formats.push_back(setting);
        } else {
            formats.push_back(formats.back());
        }
        return true;
    });
    if (other)
        return std::nullopt;
    if (stop != line.size())
        ZeroCharacter(index);
    if (count == 0)
        Malformed(QStringLiteral("empty line %1").arg(index + 1));
    return formats;
}

// Reads a row line's items straight into one packed block, as ReadItems reads them into a list:
// no string per item and no list per row.
class RowPacker {
public:
    PackedRowPtr Pack(QStringView line, qsizetype index) {
        m_views.clear();
        m_unquoted.clear();
        m_items = 0;
        const qsizetype stop = ForEachCommaItem(line, [&](QStringView text) {
            ++m_items;
            if (text.isEmpty() ||
                (text.data() >= line.data() && text.data() + text.size() <= line.data() + line.size())) {
                m_views.push_back(text);
            } else {
                // A quoted item with doubled quotes lies in a temporary; its characters stay where
                // they are when the list of copies grows.
                m_unquoted.push_back(text.toString());
                m_views.push_back(m_unquoted.back());
            }
            return true;
        });
        if (stop != line.size())
            ZeroCharacter(index);
        return PackedRowPtr(PackedRow::fromTexts(m_views));
    }
    /// Items of the line packed last.
    int Items() const { return m_items; }

private:
    std::vector<QStringView> m_views;
    std::vector<QString> m_unquoted;
    int m_items = 0;
};

template <typename Lines>
ProtocolFileData ParseLines(const Lines& lines, bool WithLayout, RowStorage storage = RowStorage::Lists) {
    ProtocolFileData data;
    CommaTextReader reader;
    qsizetype end = qsizetype(lines.size());
    while (end > 0 && lines[end - 1].isEmpty())
        --end;
    qsizetype next = 0;
    // Each settings line is optional; a line that is not the expected one is looked at again as
    // the next candidate, so a file without settings starts with its layout line.
    auto candidate = [&]() -> QStringView {
        if (next >= end)
            Malformed(QStringLiteral("the file ends before its rows"));
        return lines[next];
    };
    auto section = [&](const QString& name) -> std::optional<QStringList> {
        QStringList items = ReadItems(reader, candidate(), next);
        if (items.isEmpty())
            Malformed(QStringLiteral("empty line %1").arg(next + 1));
        if (items.front() != name)
            return std::nullopt;
        ++next;
        return items;
    };

    auto formatSection = [&](const QString& name) {
        auto formats = ReadFormatLine(candidate(), name, next);
        if (formats)
            ++next;
        return formats;
    };

    if (end == 0)
        Malformed(QStringLiteral("the file is empty"));
    if (auto items = section(kGenerel)) {
        if (items->size() < 2)
            Malformed(kGenerel + QStringLiteral(" without a value"));
        data.ColumnFormatsFirst = items->at(1) == QLatin1String("1");
    }
    data.ColumnFormats = formatSection(kFontCol);
    data.RowFormats = formatSection(kFontRow);
    if (auto items = section(kUser))
        data.UserSettings = items->mid(1);

    // The layout line, whatever it holds; then the rows.
    if (next >= end)
        Malformed(QStringLiteral("the file ends before its layout line"));
    data.Layout = ReadItems(reader, lines[next], next);
    ++next;
    if (next >= end)
        Malformed(QStringLiteral("the file holds no rows"));
    int cols = 1;
    if (storage == RowStorage::Packed) {
        data.PackedRows.reserve(size_t(end - next));
        RowPacker packer;
        for (; next < end; ++next) {
            data.PackedRows.push_back(packer.Pack(lines[next], next));
            cols = std::max(cols, packer.Items());
        }
    } else {
        data.Rows.reserve(size_t(end - next));
        for (; next < end; ++next) {
            data.Rows.push_back(ReadItems(reader, lines[next], next));
            cols = std::max(cols, int(data.Rows.back().size()));
        }
    }
    data.ColCount = cols;

    if (WithLayout) {
        if (data.Layout.size() < data.ColCount + 4)
            Malformed(QStringLiteral("the layout line is too short"));
        for (qsizetype i = 0; i < data.ColCount + 4; ++i)
            if (!IsWholeNumber(data.Layout[i]))
                Malformed(QStringLiteral("'%1' in the layout line is not a number").arg(data.Layout[i]));
    }
    return data;
}

} // namespace

ProtocolFileData ParseProtocolLines(const QStringList& lines, bool WithLayout) {
    return ParseLines(lines, WithLayout);
}

ProtocolFileData ParseProtocolText(QStringView text, bool WithLayout, RowStorage storage) {
    // The lines as SplitFileLines cuts them, but as views into the text: no copy of each line.
    std::vector<QStringView> lines;
    ForEachTextLine(text, [&](QStringView line) { lines.push_back(line); });
    return ParseLines(lines, WithLayout, storage);
}

void AppendCsvLine(QString& out, const QStringList& cells) {
    for (qsizetype i = 0; i < cells.size(); ++i) {
        if (i > 0)
            out += u';';
        const QString& s = cells[i];
        const bool quote = s.contains(u';') || s.contains(u'\r') || s.contains(u'\n') || s.startsWith(u'"');
        if (!quote) {
            out += s;
            continue;
        }
        out += u'"';
        for (QChar c : s) {
            if (c == u'"')
                out += u'"';
            out += c;
        }
        out += u'"';
    }
}

QString CsvLine(const QStringList& cells) {
    QString line;
    AppendCsvLine(line, cells);
    return line;
}
