#pragma once

#include <QString>
#include <QStringList>

/// Joins items into one comma-text line: items that hold a character with code 0..32, a double quote
/// or a comma are written in double quotes (inner quotes doubled), an empty item is written as
/// nothing, and a list of exactly one empty item as two double quotes.
QString ToCommaText(const QStringList& items);

/// Splits one comma-text line into its items (the reverse of ToCommaText). Blanks and control
/// characters between items are skipped; a trailing comma adds one empty item; an empty line gives
/// no items.
QStringList ParseCommaText(const QString& line);
