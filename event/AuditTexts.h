#pragma once

#include <QString>

/// The German text of an audit entry as it is stored. Audit entries are kept in the program's
/// source language whatever language the interface speaks; mark the literal with
/// QT_TRANSLATE_NOOP("AuditTexts", ...) so that `auditText` can show it translated.
inline QString storedAuditText(const char* german) {
    return QString::fromUtf8(german);
}

/// A stored audit text in the program's language: a known text, a known pattern with its values
/// ("Pylonen 1, Tore 0"), a known text with a remark in brackets, a label with its value
/// ("Klasse: K2"), or a list of such parts joined by "; " or ", ", part by part. Values a person
/// typed, and longer summaries, are shown as stored.
QString auditText(const QString& stored);
