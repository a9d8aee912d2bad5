#include "event/AuditTexts.h"

#include <QCoreApplication>
#include <QList>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>

namespace {

// The stored texts that carry values; the plain words are found by their own text.
const char* const Patterns[] = {
    QT_TRANSLATE_NOOP("AuditTexts", "Startliste Nr. %1"),
    QT_TRANSLATE_NOOP("AuditTexts", "Pylonen %1, Tore %2"),
    QT_TRANSLATE_NOOP("AuditTexts", "Zwischenzeit %1 s"),
    QT_TRANSLATE_NOOP("AuditTexts", "Laufzeit %1 s"),
    QT_TRANSLATE_NOOP("AuditTexts", "%1 km/h"),
    QT_TRANSLATE_NOOP("AuditTexts", "Eintrag Nr. %1 hinzugefügt"),
    QT_TRANSLATE_NOOP("AuditTexts", "%1 neu, %2 geändert, aus %3"),
};

struct Pattern {
    QRegularExpression match;
    const char* source;
};

const QList<Pattern>& patterns() {
    static const QList<Pattern> list = [] {
        QList<Pattern> out;
        static const QRegularExpression placeholder(QStringLiteral("%\\d"));
        for (const char* source : Patterns) {
            const QStringList literal = QString::fromUtf8(source).split(placeholder);
            QStringList escaped;
            for (const QString& piece : literal)
                escaped << QRegularExpression::escape(piece);
            out.append({QRegularExpression(QLatin1Char('^') + escaped.join(QStringLiteral("(.+?)")) +
                                           QLatin1Char('$')),
                        source});
        }
        return out;
    }();
    return list;
}

// A known text by its own wording: the audit's words, and the status words of a run.
QString known(const QString& text) {
    const QByteArray source = text.toUtf8();
    // A text that UTF-8 cannot carry unchanged (a NUL, a lone surrogate) is none of ours.
    if (text.contains(QChar(0)) || QString::fromUtf8(source) != text)
        return {};
    for (const char* context : {"AuditTexts", "RunStatus"}) {
        const QString shown = QCoreApplication::translate(context, source.constData());
        if (shown != text)
            return shown;
    }
    return {};
}

// Puts `values` into the placeholders of `text` in one pass, so a value holding "%2" stays as it is.
QString filled(const QString& text, const QStringList& values) {
    static const QRegularExpression placeholder(QStringLiteral("%(\\d)"));
    QString out;
    qsizetype at = 0;
    for (const QRegularExpressionMatch& m : placeholder.globalMatch(text)) {
        out += text.mid(at, m.capturedStart() - at);
        const int n = m.captured(1).toInt();
        out += n >= 1 && n <= values.size() ? values[n - 1] : m.captured(0);
        at = m.capturedEnd();
    }
    return out + text.mid(at);
}

// A known text or pattern; empty when it is neither.
QString whole(const QString& text) {
    if (const QString word = known(text); !word.isEmpty())
        return word;
    for (const Pattern& p : patterns()) {
        const QRegularExpressionMatch m = p.match.match(text);
        if (!m.hasMatch())
            continue;
        // A value is a number or a name, never a list: "Abbruch, Laufzeit 40,00 s, 61,20 km/h" is
        // three parts, not one speed.
        const QStringList values = m.capturedTexts().mid(1);
        if (std::none_of(values.begin(), values.end(), [](const QString& v) {
                return v.contains(QStringLiteral(", ")) || v.contains(QStringLiteral("; "));
            }))
            return filled(QCoreApplication::translate("AuditTexts", p.source), values);
    }
    return {};
}

// One part of a list; empty when it is not a known text.
QString part(const QString& text) {
    if (const QString shown = whole(text); !shown.isEmpty())
        return shown;
    // "disqualifiziert (Frühstart)": a known text with what a person wrote in brackets.
    if (const qsizetype bracket = text.indexOf(QStringLiteral(" (")); bracket > 0 && text.endsWith(u')'))
        if (const QString word = known(text.left(bracket)); !word.isEmpty())
            return word + text.mid(bracket);
    // "Klasse: K2": a known label with its value, which may be a known word itself ("ja").
    if (const qsizetype colon = text.indexOf(QStringLiteral(": ")); colon > 0)
        if (const QString label = known(text.left(colon)); !label.isEmpty()) {
            const QString value = text.mid(colon + 2);
            const QString word = known(value);
            return label + QStringLiteral(": ") + (word.isEmpty() ? value : word);
        }
    return {};
}

} // namespace

QString auditText(const QString& stored) {
    if (stored.isEmpty())
        return stored;
    if (const QString shown = whole(stored); !shown.isEmpty())
        return shown;
    for (const QString& separator : {QStringLiteral("; "), QStringLiteral(", ")}) {
        if (!stored.contains(separator))
            continue;
        QStringList parts = stored.split(separator);
        bool any = false;
        for (QString& p : parts)
            if (const QString shown = part(p); !shown.isEmpty()) {
                p = shown;
                any = true;
            }
        if (any)
            return parts.join(separator);
    }
    const QString shown = part(stored);
    return shown.isEmpty() ? stored : shown;
}
