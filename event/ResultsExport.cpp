#include "event/ResultsExport.h"

#include "event/ResultsSheet.h"
#include "event/StartList.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

namespace {

QString csvField(const QString& text) {
    static const QRegularExpression special(QStringLiteral("[;\"\\r\\n]"));
    if (!special.match(text).hasMatch())
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString csvLine(const QStringList& fields) {
    QStringList out;
    for (const QString& f : fields)
        out << csvField(f);
    return out.join(QLatin1Char(';')) + QStringLiteral("\r\n");
}

QString saveBytes(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QCoreApplication::translate("ResultsExport",
                                           "Die Datei „%1“ kann nicht geschrieben werden: %2")
            .arg(path, file.errorString());
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const QString why = file.errorString();
        file.cancelWriting();
        return QCoreApplication::translate("ResultsExport",
                                           "Die Datei „%1“ kann nicht geschrieben werden: %2")
            .arg(path, why);
    }
    if (!file.commit())
        return QCoreApplication::translate("ResultsExport",
                                           "Die Datei „%1“ kann nicht gespeichert werden: %2")
            .arg(path, file.errorString());
    return {};
}

QString esc(const QString& text) {
    return text.toHtmlEscaped().replace(QLatin1Char('\''), QStringLiteral("&#39;"));
}

} // namespace

QString resultsCsv(const Standings& standings, const EventInfo& info, int resolution,
                   const QList<SheetSection>& extra) {
    QString out;
    for (const QString& line : resultTitleLines(info))
        out += csvLine({line});
    for (const SheetSection& s : resultSections(standings, resolution) + extra) {
        out += QStringLiteral("\r\n");
        out += csvLine({s.title});
        out += csvLine(s.headings);
        for (const QList<SheetCell>& row : s.rows) {
            QStringList fields;
            for (const SheetCell& c : row)
                fields << c.text;
            out += csvLine(fields);
        }
    }
    return out;
}

QString saveResultsCsv(const QString& path, const Standings& standings, const EventInfo& info, int resolution,
                       const QList<SheetSection>& extra) {
    return saveBytes(path, QByteArrayLiteral("\xEF\xBB\xBF") +
                               resultsCsv(standings, info, resolution, extra).toUtf8());
}

QString resultsHtml(const Standings& standings, const EventInfo& info, int resolution,
                    const QList<SheetSection>& extra) {
    const QStringList title = resultTitleLines(info);
    QString h;
    h += QStringLiteral("<!DOCTYPE html>\n<html lang=\"%1\">\n<head>\n<meta charset=\"utf-8\">\n<title>")
             .arg(QCoreApplication::translate("ResultsExport", "de", "language code of the page"));
    h += esc(title.mid(1).value(0, title.first()));
    h += QStringLiteral(
        "</title>\n<style>\n"
        "body{font-family:sans-serif;margin:1.5em}\n"
        "table{border-collapse:collapse;margin-bottom:1.5em}\n"
        "th,td{border:1px solid #999;padding:.2em .5em;vertical-align:top}\n"
        "th{background:#eee;text-align:left}\n"
        "td.num{text-align:right}\n"
        ".time{white-space:nowrap}\n"
        ".note{display:block;font-size:.8em;color:#555;min-width:8em;max-width:16em;margin-left:auto}\n"
        ".training{font-style:italic;color:#666}\n"
        ".dropped .time{text-decoration:line-through}\n"
        ".void .time{text-decoration:line-through;color:#999}\n"
        ".corrected .note{color:#a40}\n"
        "</style>\n</head>\n<body>\n");
    h += QStringLiteral("<h1>%1</h1>\n").arg(esc(title.first()));
    for (const QString& line : title.mid(1))
        h += QStringLiteral("<p>%1</p>\n").arg(esc(line));
    for (const SheetSection& s : resultSections(standings, resolution) + extra) {
        h += QStringLiteral("<h2>%1</h2>\n<table>\n<tr>").arg(esc(s.title));
        for (const QString& heading : s.headings)
            h += QStringLiteral("<th>%1</th>").arg(esc(heading));
        h += QStringLiteral("</tr>\n");
        for (const QList<SheetCell>& row : s.rows) {
            h += QStringLiteral("<tr>");
            for (const SheetCell& c : row) {
                QStringList classes = c.marks;
                if (c.value)
                    classes.prepend(QStringLiteral("num"));
                h += classes.isEmpty()
                         ? QStringLiteral("<td>")
                         : QStringLiteral("<td class=\"%1\">").arg(classes.join(QLatin1Char(' ')));
                // Times and run marks stay on one line; names and remarks wrap.
                if (c.value || !c.marks.isEmpty())
                    h += QStringLiteral("<span class=\"time\">%1</span>").arg(esc(c.text));
                else
                    h += esc(c.text);
                if (!c.note.isEmpty())
                    h += QStringLiteral("<span class=\"note\">%1</span>").arg(esc(c.note));
                h += QStringLiteral("</td>");
            }
            h += QStringLiteral("</tr>\n");
        }
        h += QStringLiteral("</table>\n");
    }
    h += QStringLiteral("</body>\n</html>\n");
    return h;
}

QString saveResultsHtml(const QString& path, const Standings& standings, const EventInfo& info,
                        int resolution, const QList<SheetSection>& extra) {
    return saveBytes(path, resultsHtml(standings, info, resolution, extra).toUtf8());
}

QString saveStartList(const QString& path, const QList<Competitor>& competitors) {
    return saveBytes(path, startListFileBytes(competitors));
}
