#pragma once

#include <QString>
#include <QStringView>
#include <algorithm>

/// Reads the items of one comma-text line as ParseCommaText does, handing each to `item` instead of
/// collecting them: `item(QStringView)` gets a view into `line`, or into a temporary for a quoted
/// item with doubled quotes, and returns whether to go on. Returns the position where reading
/// stopped: the line's length, or less when a zero character outside quotes ended the line or
/// `item` returned false.
template <typename ItemFn> qsizetype ForEachCommaItem(QStringView line, ItemFn&& item) {
    // Codes 1..32 are skipped between items; code 0 is not, because outside quotes it ends the line.
    auto skippable = [](char16_t c) { return c >= 1 && c <= 32; };
    const qsizetype n = line.size();
    const char16_t* d = line.utf16();
    qsizetype pos = 0;
    auto skip = [&] {
        while (pos < n && skippable(d[pos]))
            ++pos;
    };
    skip();
    while (pos < n) {
        // A zero character outside quotes ends the line; treating it as an item start would never
        // advance.
        if (d[pos] == 0)
            break;
        bool goOn = true;
        if (d[pos] == u'"') {
            ++pos;
            // Most quoted items hold no quote of their own: then the item is the text up to the
            // closing quote (or, without one, the rest of the line).
            qsizetype close = pos;
            while (close < n && d[close] != u'"')
                ++close;
            if (close >= n || close + 1 >= n || d[close + 1] != u'"') {
                goOn = item(line.mid(pos, close - pos));
                pos = std::min(close + 1, n);
            } else {
                QString text;
                // Copied in runs between quotes rather than character by character.
                while (pos < n) {
                    qsizetype q = pos;
                    while (q < n && d[q] != u'"')
                        ++q;
                    text.append(line.mid(pos, q - pos));
                    pos = q;
                    if (pos >= n)
                        break;
                    if (pos + 1 < n && d[pos + 1] == u'"') {
                        text += u'"';
                        pos += 2;
                        continue;
                    }
                    ++pos;
                    break;
                }
                // A missing closing quote leaves the whole rest of the line in the item.
                goOn = item(QStringView(text));
            }
        } else {
            const qsizetype start = pos;
            while (pos < n && d[pos] != u',' && d[pos] > 32)
                ++pos;
            goOn = item(line.mid(start, pos - start));
        }
        if (!goOn)
            return pos;
        skip();
        if (pos < n && d[pos] == u',') {
            // The line ends at its length or at a zero character, whichever comes first.
            const bool commaIsLast = pos == n - 1 || d[pos + 1] == 0;
            ++pos;
            skip();
            if (commaIsLast && !item(QStringView()))
                return pos;
        }
    }
    return pos;
}
