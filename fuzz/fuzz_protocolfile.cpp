// Protocol file: any file that loads writes back, as the grid writes it, to a file that loads to
// the same protocol; any text the program saves reads back identical.
#include "FuzzCheck.h"
#include "core/CommaText.h"
#include "platform/TextFile.h"
#include "sortgrid/EConvertError.h"
#include "sortgrid/ProtocolFile.h"

namespace {

// A copy of everything but the packed rows (which only the grid's load asks for, and which have one
// owner).
ProtocolFileData copyOf(const ProtocolFileData& from, bool withRows) {
    ProtocolFileData data;
    data.ColumnFormatsFirst = from.ColumnFormatsFirst;
    data.ColumnFormats = from.ColumnFormats;
    data.RowFormats = from.RowFormats;
    data.UserSettings = from.UserSettings;
    data.Layout = from.Layout;
    if (withRows)
        data.Rows = from.Rows;
    data.ColCount = from.ColCount;
    return data;
}

// The grid holds every row with ColCount cells; that is what a save writes.
ProtocolFileData asGridHoldsIt(const ProtocolFileData& loaded) {
    ProtocolFileData data = copyOf(loaded, true);
    for (QStringList& row : data.Rows)
        while (row.size() < data.ColCount)
            row.append(QString());
    return data;
}

template <typename Parse> std::optional<ProtocolFileData> tryParse(Parse parse) {
    try {
        return parse();
    } catch (const EConvertError& e) {
        FUZZ_CHECK(!e.Message().isEmpty(), "a refused file says why");
        return std::nullopt;
    }
}

void checkSame(const ProtocolFileData& a, const ProtocolFileData& b);

// As the grid loads a file (the whole text at once), checked against reading it line by line.
std::optional<ProtocolFileData> load(const QByteArray& bytes, bool withLayout) {
    const QString text = platform::DecodeTextFile(bytes);
    auto whole = tryParse([&] { return ParseProtocolText(text, withLayout); });
    auto byLine = tryParse([&] { return ParseProtocolLines(SplitFileLines(text), withLayout); });
    FUZZ_CHECK(whole.has_value() == byLine.has_value(), "the text and its lines load alike");
    if (whole)
        checkSame(*whole, *byLine);
    // The grid reads its rows into packed blocks: the same texts, refused alike.
    auto packed = tryParse([&] { return ParseProtocolText(text, withLayout, RowStorage::Packed); });
    FUZZ_CHECK(whole.has_value() == packed.has_value(), "packed rows load alike");
    if (whole) {
        FUZZ_CHECK(packed->PackedRows.size() == whole->Rows.size() && packed->ColCount == whole->ColCount,
                   "packed rows: as many rows and columns");
        for (size_t r = 0; r < whole->Rows.size(); ++r)
            for (int c = 0; c < whole->ColCount; ++c)
                FUZZ_CHECK(packed->PackedRows[r]->text(c) == QStringView(whole->Rows[r].value(c)),
                           "packed rows hold the texts of the lists");
    }
    return whole;
}

// As the grid saves: the settings and layout lines, then each row appended in place.
QByteArray save(const ProtocolFileData& data) {
    const ProtocolFileData head = copyOf(data, false);
    QString text;
    for (const QString& line : BuildProtocolLines(head))
        text += line + QStringLiteral("\r\n");
    for (const QStringList& row : data.Rows) {
        AppendCommaText(text, row);
        text += QStringLiteral("\r\n");
    }
    QString byLines;
    for (const QString& line : BuildProtocolLines(data))
        byLines += line + QStringLiteral("\r\n");
    FUZZ_CHECK(text == byLines, "appending rows writes what the line builder writes");
    return platform::EncodeTextFile(text, platform::TextFileKind::Plain);
}

void checkSame(const ProtocolFileData& a, const ProtocolFileData& b) {
    FUZZ_CHECK(a.ColumnFormatsFirst.value_or(false) == b.ColumnFormatsFirst.value_or(false),
               "the same column-formats-first flag");
    FUZZ_CHECK(a.ColumnFormats.value_or(std::vector<TFontSetting>{}) ==
                   b.ColumnFormats.value_or(std::vector<TFontSetting>{}),
               "the same column formats");
    FUZZ_CHECK(a.RowFormats.value_or(std::vector<TFontSetting>{}) ==
                   b.RowFormats.value_or(std::vector<TFontSetting>{}),
               "the same row formats");
    FUZZ_CHECK(a.UserSettings == b.UserSettings, "the same user settings");
    FUZZ_CHECK(a.Layout == b.Layout, "the same layout line");
    FUZZ_CHECK(a.ColCount == b.ColCount, "the same column count");
    FUZZ_CHECK(a.Rows == b.Rows, "the same rows, cell for cell");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    for (bool withLayout : {false, true}) {
        const auto loaded = load(bytes, withLayout);
        if (!loaded)
            continue;
        FUZZ_CHECK(!loaded->Rows.empty() && loaded->ColCount >= 1, "a loaded file has rows and columns");
        const ProtocolFileData held = asGridHoldsIt(*loaded);
        const QByteArray written = save(held);
        const auto again = load(written, withLayout);
        FUZZ_CHECK(again.has_value(), "a saved protocol loads");
        checkSame(held, *again);
        FUZZ_CHECK(save(*again) == written, "saving again writes the same bytes");
    }

    // The input as cells (UTF-16 code units; U+FFFF ends a cell, U+FFFE a row) saved by the program.
    // Cell texts are whole characters, and a line break in a cell ends the row when read, as the
    // file format has it; so lone surrogates and line breaks are left out here.
    QString units = fuzzUtf16(data, size);
    units = QString::fromUtf8(units.toUtf8());
    units.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    ProtocolFileData grid;
    grid.Rows.push_back({QStringLiteral("Who"), QStringLiteral("Time")});
    QStringList row;
    auto endRow = [&] {
        grid.Rows.push_back(row);
        row.clear();
    };
    QString cell;
    for (QChar c : units) {
        if (c == QChar(0xFFFF) || c == QChar(0xFFFE)) {
            row.append(cell);
            cell.clear();
            if (c == QChar(0xFFFE))
                endRow();
        } else {
            cell += c;
        }
    }
    row.append(cell);
    endRow();
    for (const QStringList& r : grid.Rows)
        grid.ColCount = std::max(grid.ColCount, int(r.size()));
    grid.UserSettings = {QStringLiteral("1"), QString::fromUtf8(units.left(16).toUtf8())}; // whole characters
    for (int i = 0; i < grid.ColCount + 4; ++i)
        grid.Layout << QStringLiteral("-1");
    grid = asGridHoldsIt(grid);
    const auto back = load(save(grid), false);
    FUZZ_CHECK(back.has_value(), "what the program saves loads");
    checkSame(grid, *back);
    return 0;
}
