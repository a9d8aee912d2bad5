#pragma once

#include <QStringView>

/// Calls `line(QStringView)` for every line of `text`, cut at carriage return, line feed or both
/// together; a last line without a line end counts, and a line end at the very end starts no
/// further line. The views point into `text`.
template <typename LineFn> void ForEachTextLine(QStringView text, LineFn&& line) {
    const qsizetype n = text.size();
    const char16_t* d = text.utf16();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = d[i];
        if (c != u'\r' && c != u'\n')
            continue;
        line(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < n && d[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        line(text.mid(start));
}
