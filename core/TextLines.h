#pragma once

#include <QStringView>
#include <algorithm>

/// Calls `line(QStringView)` for every line of `text`, cut at carriage return, line feed or both
/// together; a last line without a line end counts, and a line end at the very end starts no
/// further line. The views point into `text`.
template <typename LineFn> void ForEachTextLine(QStringView text, LineFn&& line) {
    const qsizetype n = text.size();
    const char16_t* d = text.utf16();
    // The next line feed and the next carriage return are found by Qt's vectorised search, each
    // again only once passed: a protocol file of megabytes is otherwise read character by character.
    qsizetype lf = text.indexOf(u'\n');
    qsizetype cr = text.indexOf(u'\r');
    qsizetype start = 0;
    while (lf >= 0 || cr >= 0) {
        const qsizetype end = lf < 0 ? cr : cr < 0 ? lf : std::min(lf, cr);
        line(text.mid(start, end - start));
        start = end + 1;
        if (d[end] == u'\r' && start < n && d[start] == u'\n')
            ++start;
        if (lf >= 0 && lf < start)
            lf = text.indexOf(u'\n', start);
        if (cr >= 0 && cr < start)
            cr = text.indexOf(u'\r', start);
    }
    if (start < n)
        line(text.mid(start));
}
