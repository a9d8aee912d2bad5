#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>

/// Joins items into one comma-text line: items that hold a character with code 0..32, a double quote
/// or a comma are written in double quotes (inner quotes doubled), an empty item is written as
/// nothing, and a list of exactly one empty item as two double quotes.
QString ToCommaText(const QStringList& items);

/// Appends the comma-text line of `items` (as ToCommaText writes it) to `out`.
void AppendCommaText(QString& out, const QStringList& items);

/// Splits one comma-text line into its items (the reverse of ToCommaText). Blanks and control
/// characters between items are skipped; a trailing comma adds one empty item; an empty line gives
/// no items. A zero character outside double quotes ends the line.
QStringList ParseCommaText(const QString& line);

/// Like ParseCommaText; `readToEnd` tells whether the whole line was read, i.e. false when a zero
/// character outside double quotes ended it and the rest of the line was left out.
QStringList ParseCommaText(QStringView line, bool& readToEnd);

/// Reads comma-text lines like ParseCommaText, handing out one shared string for items whose text
/// came shortly before (a protocol repeats "Start:", "  Lap:", "Stopp:" in every run), which saves
/// an allocation per such item and the memory of the copies.
class CommaTextReader {
public:
    /// The items of `line`; `readToEnd` as for ParseCommaText.
    QStringList Read(QStringView line, bool& readToEnd);

private:
    static constexpr qsizetype kLongestShared = 40;
    static constexpr size_t kSlots = 251;
    QString Item(QStringView text);
    std::array<QString, kSlots> m_shared;
    qsizetype m_lastCount = 0;
};
