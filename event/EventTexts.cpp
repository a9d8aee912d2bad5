#include "event/EventTexts.h"

#include <QCoreApplication>

#include <array>

namespace {

struct StatusTexts {
    RunStatus status;
    const char* text;
    const char16_t* code;
};

constexpr std::array<StatusTexts, 4> Texts{{
    {RunStatus::Finished, "", u""},
    {RunStatus::DidNotFinish, QT_TRANSLATE_NOOP("RunStatus", "Abbruch"), u"DNF"},
    {RunStatus::DidNotStart, QT_TRANSLATE_NOOP("RunStatus", "nicht gestartet"), u"DNS"},
    {RunStatus::Disqualified, QT_TRANSLATE_NOOP("RunStatus", "disqualifiziert"), u"DSQ"},
}};

} // namespace

QString runStatusText(RunStatus status) {
    for (const StatusTexts& t : Texts)
        if (t.status == status)
            return *t.text ? QCoreApplication::translate("RunStatus", t.text) : QString();
    return {};
}

QString runStatusStoredText(RunStatus status) {
    for (const StatusTexts& t : Texts)
        if (t.status == status)
            return QString::fromUtf8(t.text);
    return {};
}

QString runStatusCode(RunStatus status) {
    for (const StatusTexts& t : Texts)
        if (t.status == status)
            return QString::fromUtf16(t.code);
    return {};
}

std::optional<RunStatus> runStatusFromText(const QString& text) {
    const QString trimmed = text.trimmed();
    for (const StatusTexts& t : Texts) {
        // The German word is read in every language, as the code is.
        if (trimmed.compare(QString::fromUtf8(t.text), Qt::CaseInsensitive) == 0 ||
            (*t.text &&
             trimmed.compare(QCoreApplication::translate("RunStatus", t.text), Qt::CaseInsensitive) == 0) ||
            trimmed.compare(QString::fromUtf16(t.code), Qt::CaseInsensitive) == 0)
            return t.status;
    }
    return std::nullopt;
}
