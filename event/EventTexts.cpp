#include "event/EventTexts.h"

#include <array>

namespace {

struct StatusTexts {
    RunStatus status;
    const char16_t* text;
    const char16_t* code;
};

constexpr std::array<StatusTexts, 4> Texts{{
    {RunStatus::Finished, u"", u""},
    {RunStatus::DidNotFinish, u"Abbruch", u"DNF"},
    {RunStatus::DidNotStart, u"nicht gestartet", u"DNS"},
    {RunStatus::Disqualified, u"disqualifiziert", u"DSQ"},
}};

} // namespace

QString runStatusText(RunStatus status) {
    for (const StatusTexts& t : Texts)
        if (t.status == status)
            return QString::fromUtf16(t.text);
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
        if (trimmed.compare(QString::fromUtf16(t.text), Qt::CaseInsensitive) == 0 ||
            trimmed.compare(QString::fromUtf16(t.code), Qt::CaseInsensitive) == 0)
            return t.status;
    }
    return std::nullopt;
}
