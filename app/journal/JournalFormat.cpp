#include "app/journal/JournalFormat.h"

#include <QList>
#include <QStringDecoder>
#include <array>

namespace {

constexpr const char* TimeFormat = "yyyy-MM-ddTHH:mm:ss.zzz";

std::array<uint32_t, 256> makeCrcTable() {
    std::array<uint32_t, 256> table{};
    for (uint32_t n = 0; n < 256; ++n) {
        uint32_t c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

void appendEscaped(QByteArray& out, const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    for (char ch : utf8) {
        switch (ch) {
        case '\\':
            out += "\\\\";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            out += ch;
        }
    }
}

std::optional<QString> unescape(QByteArrayView field) {
    QByteArray raw;
    raw.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        const char ch = field[i];
        if (ch == '\r' || ch == '\n')
            return std::nullopt; // the writer escapes these
        if (ch != '\\') {
            raw += ch;
            continue;
        }
        if (++i >= field.size())
            return std::nullopt;
        switch (field[i]) {
        case '\\':
            raw += '\\';
            break;
        case 't':
            raw += '\t';
            break;
        case 'n':
            raw += '\n';
            break;
        case 'r':
            raw += '\r';
            break;
        default:
            return std::nullopt;
        }
    }
    // Only what the writer makes reads: well-formed UTF-8, a leading byte-order mark kept as text.
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text = utf8.decode(raw);
    if (utf8.hasError())
        return std::nullopt;
    return text;
}

void appendField(QByteArray& out, QByteArrayView field) {
    out += '\t';
    out += field;
}

std::optional<qint64> parseNumber(QByteArrayView field, qint64 max) {
    // Decimal digits as the writer writes them: no sign, no leading zero.
    if (field.isEmpty() || field.size() > 19 || (field.size() > 1 && field[0] == '0'))
        return std::nullopt;
    qint64 value = 0;
    for (char ch : field) {
        if (ch < '0' || ch > '9')
            return std::nullopt;
        value = value * 10 + (ch - '0');
        if (value > max)
            return std::nullopt;
    }
    return value;
}

std::optional<QDateTime> parseTime(QByteArrayView field) {
    if (field.size() != 23)
        return std::nullopt;
    const QDateTime t = QDateTime::fromString(QString::fromLatin1(field), QLatin1String(TimeFormat));
    if (!t.isValid())
        return std::nullopt;
    return t;
}

std::optional<EdgeOutcome> parseOutcome(QByteArrayView word) {
    for (EdgeOutcome o : {EdgeOutcome::Start, EdgeOutcome::Lap, EdgeOutcome::Stop,
                          EdgeOutcome::IgnoredAfterStop, EdgeOutcome::IgnoredDeadTime})
        if (word == EdgeOutcomeWord(o))
            return o;
    return std::nullopt;
}

int hexValue(char ch) {
    if (ch >= '0' && ch <= '9')
        return ch - '0';
    if (ch >= 'a' && ch <= 'f')
        return ch - 'a' + 10;
    return -1;
}

} // namespace

uint32_t JournalCrc32(QByteArrayView data) {
    static const std::array<uint32_t, 256> table = makeCrcTable();
    uint32_t c = 0xFFFFFFFFu;
    for (char ch : data)
        c = table[(c ^ static_cast<uint8_t>(ch)) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

const char* EdgeOutcomeWord(EdgeOutcome outcome) {
    switch (outcome) {
    case EdgeOutcome::Start:
        return "start";
    case EdgeOutcome::Lap:
        return "lap";
    case EdgeOutcome::Stop:
        return "stop";
    case EdgeOutcome::IgnoredAfterStop:
        return "after-stop";
    case EdgeOutcome::IgnoredDeadTime:
        return "dead-time";
    }
    return "?";
}

QByteArray FormatJournalLine(const JournalRecord& r) {
    QByteArray payload;
    payload.reserve(96);
    payload += static_cast<char>(r.kind);
    if (r.kind == JournalKind::Header) {
        appendField(payload, "vantro-journal");
        appendField(payload, QByteArray::number(r.count));
    } else {
        appendField(payload, r.at.toString(QLatin1String(TimeFormat)).toLatin1());
        switch (r.kind) {
        case JournalKind::Open:
            appendField(payload, QByteArray::number(r.pid));
            break;
        case JournalKind::Snapshot:
        case JournalKind::Grid:
            appendField(payload, QByteArray::number(r.count));
            break;
        case JournalKind::Line:
            for (const QString* text : {&r.line.who, &r.line.time, &r.line.speed, &r.line.note}) {
                payload += '\t';
                appendEscaped(payload, *text);
            }
            break;
        case JournalKind::Edge:
            appendField(payload, QByteArray::number(r.tick));
            appendField(payload, EdgeOutcomeWord(r.outcome));
            break;
        case JournalKind::Header:
        case JournalKind::Continued:
        case JournalKind::Kept:
        case JournalKind::Closed:
            break;
        }
    }
    QByteArray line = QByteArray::number(JournalCrc32(payload), 16).rightJustified(8, '0');
    line.reserve(line.size() + payload.size() + 2);
    line += ' ';
    line += payload;
    line += '\n';
    return line;
}

std::optional<JournalRecord> ParseJournalLine(QByteArrayView line) {
    if (line.endsWith('\n'))
        line.chop(1);
    if (line.size() < 10 || line[8] != ' ')
        return std::nullopt;
    uint32_t crc = 0;
    for (int i = 0; i < 8; ++i) {
        const int v = hexValue(line[i]);
        if (v < 0)
            return std::nullopt;
        crc = (crc << 4) | uint32_t(v);
    }
    const QByteArrayView payload = line.sliced(9);
    if (JournalCrc32(payload) != crc)
        return std::nullopt;

    QList<QByteArrayView> fields;
    qsizetype from = 0;
    for (;;) {
        const qsizetype tab = payload.indexOf('\t', from);
        if (tab < 0) {
            fields.append(payload.sliced(from));
            break;
        }
        fields.append(payload.sliced(from, tab - from));
        from = tab + 1;
    }
    if (fields[0].size() != 1)
        return std::nullopt;

    JournalRecord r;
    r.kind = static_cast<JournalKind>(fields[0][0]);
    auto expect = [&](qsizetype n) { return fields.size() == n; };
    if (r.kind == JournalKind::Header) {
        if (!expect(3) || fields[1] != "vantro-journal")
            return std::nullopt;
        const auto version = parseNumber(fields[2], 1000000);
        if (!version)
            return std::nullopt;
        r.count = int(*version);
        return r;
    }
    if (fields.size() < 2)
        return std::nullopt;
    const auto at = parseTime(fields[1]);
    if (!at)
        return std::nullopt;
    r.at = *at;
    switch (r.kind) {
    case JournalKind::Open: {
        const auto pid = expect(3) ? parseNumber(fields[2], INT64_MAX / 10) : std::nullopt;
        if (!pid)
            return std::nullopt;
        r.pid = *pid;
        return r;
    }
    case JournalKind::Snapshot:
    case JournalKind::Grid: {
        const auto count = expect(3) ? parseNumber(fields[2], 100000000) : std::nullopt;
        if (!count)
            return std::nullopt;
        r.count = int(*count);
        return r;
    }
    case JournalKind::Line: {
        if (!expect(6))
            return std::nullopt;
        QString* texts[4] = {&r.line.who, &r.line.time, &r.line.speed, &r.line.note};
        for (int i = 0; i < 4; ++i) {
            auto text = unescape(fields[2 + i]);
            if (!text)
                return std::nullopt;
            *texts[i] = std::move(*text);
        }
        return r;
    }
    case JournalKind::Edge: {
        if (!expect(4))
            return std::nullopt;
        const auto tick = parseNumber(fields[2], UINT32_MAX);
        const auto outcome = parseOutcome(fields[3]);
        if (!tick || !outcome)
            return std::nullopt;
        r.tick = uint32_t(*tick);
        r.outcome = *outcome;
        return r;
    }
    case JournalKind::Continued:
    case JournalKind::Kept:
    case JournalKind::Closed:
        return expect(2) ? std::optional<JournalRecord>(r) : std::nullopt;
    case JournalKind::Header:
        break;
    }
    return std::nullopt;
}
