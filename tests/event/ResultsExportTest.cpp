// The results files read back: the CSV as text, the page as text, the workbook by an independent
// reader (python3-openpyxl) under a German locale.
#include "event/ResultsExport.h"
#include "event/Ranking.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace {

// Two classes, penalties, a training run, a dropped run, a corrected run, a DNF; two clubs;
// a girl and a boy.
struct Event {
    QList<Competitor> start;
    QList<RunRecord> runs;
    EventRules rules;
    EventInfo info{QStringLiteral("Jugend-Kartslalom <Herbst> & \"Finale\""), QDate(2026, 10, 3),
                   QStringLiteral("Neustadt")};

    Event() {
        rules.scoring = Scoring::SumBestN;
        rules.bestN = 2;
        rules.firstRunIsTraining = true;
        rules.teams.enabled = true;
        rules.teams.maxMembers = 2;
        auto add = [&](int nr, const char* first, const char* last, const char* cls, const char* club,
                       Sex sex, std::initializer_list<int32_t> times) {
            Competitor c;
            c.startNumber = nr;
            c.firstName = QString::fromUtf8(first);
            c.lastName = QString::fromUtf8(last);
            c.className = QString::fromUtf8(cls);
            c.club = QString::fromUtf8(club);
            c.sex = sex;
            start << c;
            int n = 0;
            for (int32_t t : times) {
                RunRecord r;
                r.startNumber = nr;
                r.runNumber = ++n;
                if (t > 0)
                    r.runTimeMs = t;
                else
                    r.status = RunStatus::DidNotFinish;
                runs << r;
            }
        };
        add(1, "Lena", "Groß", "K1", "MSC Süd", Sex::Female, {50000, 41230, 42000, 45000});
        add(2, "Tim", "<b>Klein</b>", "K1", "MSC Süd", Sex::Male, {52000, 40990, 0, 44000});
        add(3, "Ali", "Öz", "K2", "AC Nord", Sex::Male, {48000, 39000, 39500, 39500});
        runs[1].cones = 1; // Lena, run 2: 43,23
        runs[2].correction = QStringLiteral("Protest: Tor 4 zurückgenommen");
    }
    Standings standings() const { return rankEvent(start, runs, rules); }
};

QString readText(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll());
}

} // namespace

TEST(ResultsExport, CsvHasTitleOneSectionPerClassTeamsAndHonoursWithDecimalCommas) {
    const Event e;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ergebnis.csv"));
    ASSERT_EQ(saveResultsCsv(path, e.standings(), e.info, 2), QString());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    ASSERT_TRUE(bytes.startsWith("\xEF\xBB\xBF")) << "UTF-8 with byte-order mark";
    const QStringList lines = QString::fromUtf8(bytes.mid(3)).split(QStringLiteral("\r\n"));
    const QStringList expected{
        "Ergebnisliste",
        "\"Jugend-Kartslalom <Herbst> & \"\"Finale\"\"\"",
        "03.10.2026, Neustadt",
        "",
        "Klasse K1",
        "Platz;Nr.;Name;Klasse;Verein;Lauf 1;Lauf 2;Lauf 3;Lauf 4;Ergebnis;Abstand;Abstand zum "
        "Vorderen;Bemerkung",
        "1;2;Tim <b>Klein</b>;K1;MSC Süd;52,00;40,99;DNF;44,00;84,99;;;Lauf 1: Training / Lauf 3: Streicher, "
        "Abbruch",
        "2;1;Lena Groß;K1;MSC Süd;50,00;43,23;42,00;45,00;85,23;+0,24;+0,24;Lauf 1: Training / Lauf 2: 1 "
        "Pylone / "
        "Lauf 3: korrigiert: Protest: Tor 4 zurückgenommen / Lauf 4: Streicher",
        "",
        "Klasse K2",
        "Platz;Nr.;Name;Klasse;Verein;Lauf 1;Lauf 2;Lauf 3;Lauf 4;Ergebnis;Abstand;Abstand zum "
        "Vorderen;Bemerkung",
        "1;3;Ali Öz;K2;AC Nord;48,00;39,00;39,50;39,50;78,50;;;Lauf 1: Training / Lauf 4: Streicher",
        "",
        "Gesamtwertung",
    };
    ASSERT_GE(lines.size(), expected.size());
    EXPECT_EQ(lines.mid(0, expected.size()), expected);
    const QString rest = lines.mid(expected.size()).join(u'\n');
    EXPECT_TRUE(rest.contains(QStringLiteral("Mannschaftswertung\nPlatz;Verein;Fahrer;Ergebnis;Bemerkung\n"
                                             "1;MSC Süd;Tim <b>Klein</b> (2), Lena Groß (1);170,22;\n"
                                             "2;AC Nord;Ali Öz (3);78,50;unvollständig\n")))
        << rest.toStdString();
    EXPECT_TRUE(rest.contains(QStringLiteral("Ehrungen\nEhrung;Nr.;Name;Klasse;Ergebnis\n"
                                             "schnellstes Mädchen;1;Lena Groß;K1;85,23\n"
                                             "schnellster Junge;3;Ali Öz;K2;78,50\n")))
        << rest.toStdString();
}

TEST(ResultsExport, PageEscapesEveryTextAndMarksRuns) {
    const Event e;
    const QString html = resultsHtml(e.standings(), e.info, 1);
    EXPECT_FALSE(html.contains(QStringLiteral("<b>Klein")));
    EXPECT_TRUE(html.contains(QStringLiteral("Tim &lt;b&gt;Klein&lt;/b&gt;")));
    EXPECT_TRUE(html.contains(
        QStringLiteral("<title>Jugend-Kartslalom &lt;Herbst&gt; &amp; &quot;Finale&quot;</title>")));
    EXPECT_TRUE(html.contains(QStringLiteral("<td class=\"num training\"><span class=\"time\">50,0</span>"
                                             "<span class=\"note\">Training</span></td>")));
    EXPECT_TRUE(html.contains(QStringLiteral("<td class=\"num dropped\"><span class=\"time\">45,0</span>")));
    EXPECT_TRUE(html.contains(
        QStringLiteral("class=\"num corrected\"><span class=\"time\">42,0</span>"
                       "<span class=\"note\">korrigiert: Protest: Tor 4 zurückgenommen</span>")));
    EXPECT_TRUE(html.contains(QStringLiteral("<h2>Mannschaftswertung</h2>")));

    QTemporaryDir dir;
    EXPECT_EQ(saveResultsHtml(dir.filePath(QStringLiteral("e.html")), e.standings(), e.info, 1), QString());
    EXPECT_EQ(readText(dir.filePath(QStringLiteral("e.html"))), html);
    const QString missing = dir.filePath(QStringLiteral("no/such/folder/e.html"));
    EXPECT_TRUE(saveResultsHtml(missing, e.standings(), e.info, 1).contains(missing));
}

namespace {

const char* const kReader = R"PY(
import json, sys, openpyxl
ws = openpyxl.load_workbook(sys.argv[1]).worksheets[0]
cells = {}
for row in ws.iter_rows():
    for c in row:
        if c.value is not None:
            cells[c.coordinate] = [c.value, c.data_type, c.number_format]
print(json.dumps({"title": ws.title, "cells": cells}))
)PY";

QString python() {
    for (const QString& p : {QStringLiteral("/usr/bin/python3"), QStringLiteral("/usr/local/bin/python3")}) {
        if (!QFileInfo(p).isExecutable())
            continue;
        QProcess check;
        check.start(p, {QStringLiteral("-c"), QStringLiteral("import openpyxl")});
        if (check.waitForFinished(60000) && check.exitStatus() == QProcess::NormalExit &&
            check.exitCode() == 0)
            return p;
    }
    return {};
}

// Keeps the C library's numeric locale at "C" for the test, as the program does at its start.
class NumericLocaleC {
public:
    NumericLocaleC() : m_old(std::setlocale(LC_NUMERIC, nullptr)) { std::setlocale(LC_NUMERIC, "C"); }
    ~NumericLocaleC() { std::setlocale(LC_NUMERIC, m_old.c_str()); }

private:
    std::string m_old;
};

} // namespace

TEST(ResultsExport, WorkbookHasNumericTimesWithAFormatUnderAGermanLocale) {
    const QString reader = python();
    if (reader.isEmpty())
        GTEST_SKIP() << "python3 with openpyxl is not installed";
    const Event e;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ergebnis.xlsx"));
    {
        NumericLocaleC c;
        ASSERT_EQ(saveResultsXlsx(path, e.standings(), e.info, 2), QString());
    }
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("de_DE.UTF-8"));
    env.insert(QStringLiteral("LANG"), QStringLiteral("de_DE.UTF-8"));
    p.setProcessEnvironment(env);
    p.start(reader, {QStringLiteral("-c"), QString::fromUtf8(kReader), path});
    ASSERT_TRUE(p.waitForFinished(60000));
    ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    const QJsonObject book = QJsonDocument::fromJson(p.readAllStandardOutput()).object();
    EXPECT_EQ(book["title"].toString(), QStringLiteral("Ergebnisse"));
    const QJsonObject cells = book["cells"].toObject();
    auto cell = [&](const char* ref) { return cells[QString::fromLatin1(ref)].toArray(); };
    EXPECT_EQ(cell("A2")[0].toString(), e.info.name);
    // Row 6: the headings of class K1; row 7: Tim, the leader.
    EXPECT_EQ(cell("A6")[0].toString(), QStringLiteral("Platz"));
    EXPECT_EQ(cell("F6")[0].toString(), QStringLiteral("Lauf 1"));
    EXPECT_EQ(cell("C7")[0].toString(), QStringLiteral("Tim <b>Klein</b>"));
    EXPECT_EQ(cell("G7")[1].toString(), QStringLiteral("n"));
    EXPECT_DOUBLE_EQ(cell("G7")[0].toDouble(), 40.99);
    EXPECT_EQ(cell("G7")[2].toString(), QStringLiteral("0.00"));
    EXPECT_EQ(cell("H7")[0].toString(), QStringLiteral("DNF"));
    EXPECT_DOUBLE_EQ(cell("J7")[0].toDouble(), 84.99);
    EXPECT_DOUBLE_EQ(cell("K8")[0].toDouble(), 0.24);
    EXPECT_EQ(cell("A8")[1].toString(), QStringLiteral("n"));
    EXPECT_EQ(cell("A8")[2].toString(), QStringLiteral("0"));
}

TEST(ResultsExport, WorkbookIsRefusedUnlessNumbersArePrintedWithAPoint) {
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8"))
        GTEST_SKIP() << "the German locale is not generated on this machine";
    const Event e;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ergebnis.xlsx"));
    const QString error = saveResultsXlsx(path, e.standings(), e.info, 2);
    std::setlocale(LC_NUMERIC, "C");
    EXPECT_TRUE(error.contains(path)) << error.toStdString();
    EXPECT_FALSE(QFileInfo::exists(path));
}
