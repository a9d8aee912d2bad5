#include "event/StartList.h"

#include <gtest/gtest.h>

namespace {

QByteArray utf8(const char* text) {
    return QByteArray(text);
}

QString problemsText(const StartListResult& r) {
    QStringList out;
    for (const StartListProblem& p : r.problems)
        out << QStringLiteral("%1%2: %3")
                   .arg(p.severity == StartListProblem::Severity::Hint ? "hint " : "")
                   .arg(p.line)
                   .arg(p.message);
    return out.join(u'\n');
}

} // namespace

TEST(StartList, ReadsTheUsualSpreadsheetForms) {
    struct Case {
        const char* what;
        QByteArray bytes;
    };
    // Each form holds the same two drivers.
    const std::vector<Case> cases = {
        {"semicolon, UTF-8 with byte-order mark, German headings",
         "\xEF\xBB\xBFNr.;Vorname;Nachname;Klasse;Verein;Fahrzeug;Jahrgang;Geschlecht\r\n"
         "7;Jörg;Müller;K2;MSC Süd;Kart 3;2012;m\r\n12;Anna;Groß;;MSC Süd;;03.05.2015;w\r\n"},
        {"comma, quoted fields with comma and quote, other heading names, empty lines",
         "\nStart-Nr.,FIRSTNAME,Familienname,Class,Club,Kart,Geburtsjahr,m/w\n\n"
         "\" 7 \",Jörg,Müller,K2,\"MSC Süd\",Kart 3,2012,männlich\n12,Anna,Groß,,MSC Süd,,2015,W\n"},
        {"Windows-1252, tab separated",
         QByteArray("Startnummer\tVorname\tName\tKlasse\tVerein\tFahrzeug\tJg\tGeschlecht\n"
                    "7\tJ\xF6rg\tM\xFCller\tK2\tMSC S\xFC"
                    "d\tKart 3\t2012\tm\n"
                    "12\tAnna\tGro\xDF\t\tMSC S\xFC"
                    "d\t\t2015-01-31\tf\n")},
    };
    for (const Case& c : cases) {
        const StartListResult r = readStartList(c.bytes);
        ASSERT_FALSE(r.hasErrors()) << c.what << "\n" << problemsText(r).toStdString();
        ASSERT_EQ(r.competitors.size(), 2) << c.what;
        const Competitor& a = r.competitors[0];
        EXPECT_EQ(a.startNumber, 7) << c.what;
        EXPECT_EQ(a.displayName(), QStringLiteral("Jörg Müller")) << c.what;
        EXPECT_EQ(a.className, QStringLiteral("K2")) << c.what;
        EXPECT_EQ(a.club, QStringLiteral("MSC Süd")) << c.what;
        EXPECT_EQ(a.vehicle, QStringLiteral("Kart 3")) << c.what;
        EXPECT_EQ(a.yearOfBirth, 2012) << c.what;
        EXPECT_EQ(a.sex, Sex::Male) << c.what;
        const Competitor& b = r.competitors[1];
        EXPECT_EQ(b.startNumber, 12) << c.what;
        EXPECT_EQ(b.displayName(), QStringLiteral("Anna Groß")) << c.what;
        EXPECT_EQ(b.yearOfBirth, 2015) << c.what;
        EXPECT_EQ(b.sex, Sex::Female) << c.what;
    }

    const StartListResult oneName = readStartList(utf8("Nr;Name;Lizenz\n3;\"Meier, Eva\";A-12\n"));
    ASSERT_EQ(oneName.competitors.size(), 1);
    EXPECT_EQ(oneName.competitors[0].displayName(), QStringLiteral("Meier, Eva"));
    EXPECT_EQ(problemsText(oneName),
              QStringLiteral("hint 1: Unbekannte Spalten werden nicht übernommen: Lizenz."));
}

TEST(StartList, BadInputIsListedByLineAndNothingIsImported) {
    struct Case {
        const char* what;
        QByteArray bytes;
        const char* problems;
    };
    QByteArray garbage(10 * 1024 * 1024, 'x');
    const std::vector<Case> cases = {
        {"empty file", "", "0: Die Datei ist leer."},
        {"only blanks and separators", " \r\n;;\n", "0: Die Datei ist leer."},
        {"no header", "1;Max\n2;Eva\n",
         "1: Keine Kopfzeile gefunden: die erste Zeile muss die Spalten benennen, z. B. "
         "„Nr;Name;Klasse;Verein“."},
        {"header without a name column", "Nr;Klasse\n1;K1\n",
         "1: Die Spalte „Name“ (oder „Vorname“ und „Nachname“) fehlt."},
        {"header only", "Nr;Name\n", "0: Die Startliste enthält keine Teilnehmer."},
        {"10 MB of garbage", garbage,
         "0: Die Datei ist mit 10,0 MB zu groß für eine Startliste (höchstens 4 MB)."},
        {"binary file", QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16),
         "0: Die Datei ist keine Textdatei (sie enthält Binärdaten)."},
        {"bad lines",
         "Nr;Name;Jahrgang;Geschlecht\n1;Max;;\nzwei;Eva;;\n0;Udo;;\n65536;Ina;;\n1;Tom;;\n5;;;\n6;Kai;12;"
         "\n7;Ute;;q\n"
         "65535;Bo;;\n99999999999;Al;;\n",
         "3: Die Startnummer „zwei“ ist keine Zahl.\n"
         "4: Die Startnummer 0 liegt nicht zwischen 1 und 65535.\n"
         "5: Die Startnummer 65536 liegt nicht zwischen 1 und 65535.\n"
         "6: Die Startnummer 1 steht schon in Zeile 2.\n"
         "7: Der Name fehlt.\n"
         "8: Der Jahrgang „12“ ist keine Jahreszahl.\n"
         "9: Das Geschlecht „q“ ist unbekannt (m, w oder d).\n"
         "11: Die Startnummer 99999999999 liegt nicht zwischen 1 und 65535."},
    };
    for (const Case& c : cases) {
        const StartListResult r = readStartList(c.bytes);
        EXPECT_EQ(problemsText(r), QString::fromUtf8(c.problems)) << c.what;
        EXPECT_TRUE(r.hasErrors()) << c.what;
        EXPECT_TRUE(r.competitors.isEmpty()) << c.what;
    }

    // Skipping keeps the good lines (the first of a duplicate number among them).
    const StartListResult skipped = readStartList(cases.back().bytes, StartListMode::SkipErrorLines);
    ASSERT_EQ(skipped.competitors.size(), 2);
    EXPECT_EQ(skipped.competitors[0].displayName(), QStringLiteral("Max"));
    EXPECT_EQ(skipped.competitors[1].startNumber, 65535);
    EXPECT_EQ(skipped.skippedLines, 8);
    EXPECT_TRUE(readStartList(garbage, StartListMode::SkipErrorLines).competitors.isEmpty());
}

TEST(StartList, WrittenListReadsBackTheSame) {
    Competitor a;
    a.startNumber = 4;
    a.firstName = QStringLiteral("Zoë");
    a.lastName = QStringLiteral("O\"Neill; jr.");
    a.className = QStringLiteral("K3");
    a.club = QStringLiteral("AC Nord, e.V.");
    a.vehicle = QStringLiteral("Kart\n7");
    a.yearOfBirth = 2011;
    a.sex = Sex::Female;
    Competitor b;
    b.startNumber = 65535;
    b.lastName = QStringLiteral("Ωmega");
    Competitor gone = b;
    gone.startNumber = 9;
    gone.deleted = true;
    const QByteArray bytes = startListFileBytes({a, b, gone});
    EXPECT_TRUE(
        bytes.startsWith("\xEF\xBB\xBFNr;Vorname;Nachname;Klasse;Verein;Fahrzeug;Jahrgang;Geschlecht\r\n"));
    const StartListResult r = readStartList(bytes);
    EXPECT_TRUE(r.problems.isEmpty()) << problemsText(r).toStdString();
    EXPECT_EQ(r.competitors, QList<Competitor>({a, b}));
}
