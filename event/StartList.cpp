#include "event/StartList.h"

#include "platform/TextFile.h"

#include <QCoreApplication>
#include <QHash>
#include <QRegularExpression>
#include <QStringList>

#include <array>
#include <optional>

namespace {

enum class Column : uint8_t { Number, Name, FirstName, LastName, Class, Club, Vehicle, Year, Sex, Count };

struct ColumnName {
    Column column;
    const char* names; // normalised, separated by '|'
};

constexpr std::array<ColumnName, 9> ColumnNames{{
    {Column::Number, "nr|startnr|startnummer|nummer|startno|no|number|stnr"},
    {Column::Name, "name|fahrer|fahrername|teilnehmer|fahrerin"},
    {Column::FirstName, "vorname|firstname"},
    {Column::LastName, "nachname|familienname|zuname|lastname"},
    {Column::Class, "klasse|class|kl|altersklasse"},
    {Column::Club, "verein|club|klub|team|ortsclub"},
    {Column::Vehicle, "fahrzeug|kart|auto|wagen|vehicle|fzg"},
    {Column::Year, "jahrgang|geburtsjahr|jg|geboren|geburtsdatum|yearofbirth"},
    {Column::Sex, "geschlecht|mw|mwd|sex|gender"},
}};

QString normalised(const QString& header) {
    QString s = header.trimmed().toLower();
    static const QRegularExpression ignored(QStringLiteral("[\\s._/\\-]"));
    s.remove(ignored);
    return s;
}

std::optional<Column> columnFor(const QString& header) {
    static const QHash<QString, Column> byName = [] {
        QHash<QString, Column> map;
        for (const ColumnName& c : ColumnNames)
            for (const QString& name : QString::fromLatin1(c.names).split(QLatin1Char('|')))
                map.insert(name, c.column);
        return map;
    }();
    const auto it = byName.constFind(normalised(header));
    return it == byName.constEnd() ? std::nullopt : std::optional<Column>(*it);
}

struct Record {
    int line = 0; // where the record starts
    QStringList fields;
};

bool blank(const Record& r) {
    for (const QString& f : r.fields)
        if (!f.trimmed().isEmpty())
            return false;
    return true;
}

// Splits the text into records (blank ones left out) at line ends outside quotes; "" inside quotes is one
// quote.
QList<Record> splitRecords(const QString& text, QChar sep) {
    QList<Record> records;
    Record rec;
    QString field;
    bool quoted = false, wasQuoted = false;
    int line = 1;
    rec.line = 1;
    auto endField = [&] {
        rec.fields.append(field.trimmed());
        field.clear();
        wasQuoted = false;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
                    field += c;
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                if (c == QLatin1Char('\n') ||
                    (c == QLatin1Char('\r') && (i + 1 >= text.size() || text[i + 1] != QLatin1Char('\n'))))
                    ++line;
                field += c;
            }
        } else if (c == QLatin1Char('"') && field.trimmed().isEmpty() && !wasQuoted) {
            quoted = true;
            wasQuoted = true;
            field.clear();
        } else if (c == sep) {
            endField();
        } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
                ++i;
            endField();
            if (!blank(rec))
                records.append(rec);
            rec = Record{};
            rec.line = ++line;
        } else if (!wasQuoted) {
            field += c;
        }
        // Characters after a closing quote and before the separator are dropped.
    }
    if (!field.isEmpty() || wasQuoted || !rec.fields.isEmpty()) {
        endField();
        records.append(rec);
    }
    return records;
}

// The separator of the header line: the most frequent of ';', ',' and tab outside quotes.
QChar detectSeparator(const QString& text) {
    qsizetype semi = 0, comma = 0, tab = 0;
    bool quoted = false;
    bool seenText = false;
    for (QChar c : text) {
        if (c == QLatin1Char('"'))
            quoted = !quoted;
        else if (!quoted && (c == QLatin1Char('\n') || c == QLatin1Char('\r'))) {
            if (seenText)
                break;
        } else if (!quoted) {
            seenText |= !c.isSpace();
            semi += c == QLatin1Char(';');
            comma += c == QLatin1Char(',');
            tab += c == QLatin1Char('\t');
        }
    }
    if (semi >= comma && semi >= tab && semi > 0)
        return QLatin1Char(';');
    if (comma >= tab && comma > 0)
        return QLatin1Char(',');
    if (tab > 0)
        return QLatin1Char('\t');
    return QLatin1Char(';');
}

std::optional<int> parseYear(const QString& text) {
    static const QRegularExpression year(QStringLiteral("^(\\d{4})$"));
    static const QRegularExpression date(
        QStringLiteral("^\\d{1,2}\\.\\d{1,2}\\.(\\d{4})$|^(\\d{4})-\\d{2}-\\d{2}$"));
    QRegularExpressionMatch m = year.match(text);
    int y = 0;
    if (m.hasMatch())
        y = m.captured(1).toInt();
    else if ((m = date.match(text)).hasMatch())
        y = (m.captured(1).isEmpty() ? m.captured(2) : m.captured(1)).toInt();
    if (y < 1900 || y > 2100)
        return std::nullopt;
    return y;
}

std::optional<Sex> parseSex(const QString& text) {
    const QString s = text.trimmed().toLower();
    if (s.isEmpty() || s == u"d" || s == u"divers" || s == u"x")
        return Sex::Unknown;
    if (s == u"w" || s == u"weiblich" || s == u"f" || s == u"female" || s == u"mädchen")
        return Sex::Female;
    if (s == u"m" || s == u"männlich" || s == u"male" || s == u"junge")
        return Sex::Male;
    return std::nullopt;
}

// A garbage file would give a problem for every line; a person reads the first ones.
constexpr qsizetype MaxProblemsListed = 200;

void addProblem(StartListResult& r, int line, const QString& message,
                StartListProblem::Severity severity = StartListProblem::Severity::Error) {
    if (r.problems.size() < MaxProblemsListed)
        r.problems.append({line, severity, message});
    else if (r.problems.size() == MaxProblemsListed)
        r.problems.append(
            {line, StartListProblem::Severity::Hint,
             QCoreApplication::translate("StartList", "Weitere Probleme werden nicht aufgeführt.")});
}

} // namespace

bool StartListResult::hasErrors() const {
    for (const StartListProblem& p : problems)
        if (p.severity == StartListProblem::Severity::Error)
            return true;
    return false;
}

StartListResult readStartList(const QByteArray& bytes, StartListMode mode) {
    StartListResult result;
    if (bytes.size() > MaxStartListBytes) {
        addProblem(result, 0,
                   QCoreApplication::translate(
                       "StartList", "Die Datei ist mit %1 MB zu groß für eine Startliste (höchstens %2 MB).")
                       .arg(QString::number(double(bytes.size()) / (1024 * 1024), 'f', 1).replace(u'.', u','))
                       .arg(MaxStartListBytes / (1024 * 1024)));
        return result;
    }
    if (bytes.contains('\0')) {
        addProblem(result, 0,
                   QCoreApplication::translate("StartList",
                                               "Die Datei ist keine Textdatei (sie enthält Binärdaten)."));
        return result;
    }
    const QString text = platform::DecodeTextFile(bytes);
    if (text.trimmed().isEmpty()) {
        addProblem(result, 0, QCoreApplication::translate("StartList", "Die Datei ist leer."));
        return result;
    }

    const QList<Record> records = splitRecords(text, detectSeparator(text));
    qsizetype headerIndex = 0;
    while (headerIndex < records.size() && blank(records[headerIndex]))
        ++headerIndex;
    if (headerIndex >= records.size()) {
        addProblem(result, 0, QCoreApplication::translate("StartList", "Die Datei ist leer."));
        return result;
    }
    const Record& header = records[headerIndex];
    std::array<int, size_t(Column::Count)> columnOf;
    columnOf.fill(-1);
    QStringList unknown;
    for (qsizetype i = 0; i < header.fields.size(); ++i) {
        const std::optional<Column> c = columnFor(header.fields[i]);
        if (c && columnOf[size_t(*c)] < 0)
            columnOf[size_t(*c)] = int(i);
        else if (!c && !header.fields[i].trimmed().isEmpty())
            unknown << header.fields[i].trimmed().left(40);
    }
    auto has = [&](Column c) { return columnOf[size_t(c)] >= 0; };
    const bool anyName = has(Column::Name) || has(Column::FirstName) || has(Column::LastName);
    if (!has(Column::Number) && !anyName) {
        addProblem(result, header.line,
                   QCoreApplication::translate(
                       "StartList", "Keine Kopfzeile gefunden: die erste Zeile muss die Spalten benennen, "
                                    "z. B. „Nr;Name;Klasse;Verein“."));
        return result;
    }
    if (!has(Column::Number))
        addProblem(result, header.line,
                   QCoreApplication::translate("StartList", "Die Spalte „Nr“ (Startnummer) fehlt."));
    if (!anyName)
        addProblem(result, header.line,
                   QCoreApplication::translate("StartList",
                                               "Die Spalte „Name“ (oder „Vorname“ und „Nachname“) fehlt."));
    if (result.hasErrors())
        return result;
    if (!unknown.isEmpty())
        addProblem(result, header.line,
                   QCoreApplication::translate("StartList", "Unbekannte Spalten werden nicht übernommen: %1.")
                       .arg(unknown.join(QStringLiteral(", "))),
                   StartListProblem::Severity::Hint);
    // Beside "Vorname", "Name" is the surname.
    if (has(Column::Name) && !has(Column::LastName) && has(Column::FirstName))
        std::swap(columnOf[size_t(Column::Name)], columnOf[size_t(Column::LastName)]);

    QHash<int, int> lineOfNumber;
    for (qsizetype i = headerIndex + 1; i < records.size(); ++i) {
        const Record& rec = records[i];
        if (blank(rec))
            continue;
        auto field = [&](Column c) {
            const int col = columnOf[size_t(c)];
            return col >= 0 && col < rec.fields.size() ? rec.fields[col] : QString();
        };
        const int problemsBefore = int(result.problems.size());
        Competitor c;
        const QString numberText = field(Column::Number);
        bool ok = false;
        static const QRegularExpression digits(QStringLiteral("^[0-9]+$"));
        const bool allDigits = digits.match(numberText).hasMatch();
        const int number = allDigits ? numberText.toInt(&ok) : 0;
        if (numberText.isEmpty())
            addProblem(result, rec.line, QCoreApplication::translate("StartList", "Die Startnummer fehlt."));
        else if (!allDigits)
            addProblem(result, rec.line,
                       QCoreApplication::translate("StartList", "Die Startnummer „%1“ ist keine Zahl.")
                           .arg(numberText.left(20)));
        else if (!ok || number < 1 || number > 65535)
            addProblem(result, rec.line,
                       QCoreApplication::translate("StartList",
                                                   "Die Startnummer %1 liegt nicht zwischen 1 und 65535.")
                           .arg(numberText));
        else if (lineOfNumber.contains(number))
            addProblem(result, rec.line,
                       QCoreApplication::translate("StartList", "Die Startnummer %1 steht schon in Zeile %2.")
                           .arg(number)
                           .arg(lineOfNumber[number]));
        c.startNumber = number;
        if (has(Column::FirstName) || has(Column::LastName)) {
            c.firstName = field(Column::FirstName);
            c.lastName = field(Column::LastName);
        } else {
            c.lastName = field(Column::Name);
        }
        if (c.firstName.trimmed().isEmpty() && c.lastName.trimmed().isEmpty())
            addProblem(result, rec.line, QCoreApplication::translate("StartList", "Der Name fehlt."));
        c.className = field(Column::Class);
        c.club = field(Column::Club);
        c.vehicle = field(Column::Vehicle);
        const QString yearText = field(Column::Year);
        if (!yearText.isEmpty()) {
            if (const std::optional<int> y = parseYear(yearText))
                c.yearOfBirth = *y;
            else
                addProblem(result, rec.line,
                           QCoreApplication::translate("StartList", "Der Jahrgang „%1“ ist keine Jahreszahl.")
                               .arg(yearText.left(20)));
        }
        if (const std::optional<Sex> s = parseSex(field(Column::Sex)))
            c.sex = *s;
        else
            addProblem(
                result, rec.line,
                QCoreApplication::translate("StartList", "Das Geschlecht „%1“ ist unbekannt (m, w oder d).")
                    .arg(field(Column::Sex).left(20)));
        if (result.problems.size() > problemsBefore) {
            ++result.skippedLines;
            continue;
        }
        lineOfNumber.insert(number, rec.line);
        result.competitors.append(c);
    }
    if (result.competitors.isEmpty() && !result.hasErrors())
        addProblem(result, 0,
                   QCoreApplication::translate("StartList", "Die Startliste enthält keine Teilnehmer."));
    if (mode == StartListMode::AllOrNothing && result.hasErrors()) {
        result.competitors.clear();
    }
    return result;
}

namespace {

QString csvField(const QString& untrimmed) {
    const QString text = untrimmed.trimmed();
    static const QRegularExpression special(QStringLiteral("[;\"\\r\\n,\\t]"));
    if (!special.match(text).hasMatch())
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace

QString startListCsv(const QList<Competitor>& competitors) {
    QString out = QStringLiteral("Nr;Vorname;Nachname;Klasse;Verein;Fahrzeug;Jahrgang;Geschlecht\r\n");
    for (const Competitor& c : competitors) {
        if (c.deleted)
            continue;
        const QString sex = c.sex == Sex::Female ? QStringLiteral("w")
                            : c.sex == Sex::Male ? QStringLiteral("m")
                                                 : QString();
        const QStringList fields{QString::number(c.startNumber),
                                 csvField(c.firstName),
                                 csvField(c.lastName),
                                 csvField(c.className),
                                 csvField(c.club),
                                 csvField(c.vehicle),
                                 c.yearOfBirth > 0 ? QString::number(c.yearOfBirth) : QString(),
                                 sex};
        out += fields.join(QLatin1Char(';')) + QStringLiteral("\r\n");
    }
    return out;
}

QByteArray startListFileBytes(const QList<Competitor>& competitors) {
    return QByteArrayLiteral("\xEF\xBB\xBF") + startListCsv(competitors).toUtf8();
}
