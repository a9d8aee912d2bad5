// The event and its results in English: the results window, the event dialog and the start-list
// import show no German text of ours, and the results' headings, exports, remarks and messages come
// out in English. A German walk first shows that the check sees German where there is some.
#include "app/results/EventCommands.h"
#include "app/results/EventDialog.h"
#include "app/results/EventDocument.h"
#include "app/results/ResultsPrint.h"
#include "app/results/ResultsWindow.h"
#include "app/results/StartListImportDialog.h"
#include "event/EventStore.h"
#include "event/EventTexts.h"
#include "event/Plausibility.h"
#include "event/Ranking.h"
#include "event/ResultTexts.h"
#include "event/ResultsExport.h"
#include "event/ResultsSheet.h"
#include "event/StartList.h"
#include "testing/FakeDialogs.h"
#include "tests/support/WidgetTexts.h"

#include <QComboBox>
#include <QFile>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using testsupport::germanTexts;
using testsupport::ScopedLanguage;
using testsupport::widgetTexts;

namespace {

class EnglishResults : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(doc.ensureEvent(QDate(2026, 5, 17)));
        QList<Competitor> list;
        for (auto [n, name, cls, club] :
             {std::tuple{1, "Anna", "K1", "MSC Nord"}, std::tuple{2, "Ben", "K1", "MSC Nord"},
              std::tuple{3, "Cem", "K2", "MSC Ost"}}) {
            Competitor c;
            c.startNumber = n;
            c.lastName = name;
            c.className = cls;
            c.club = QString::fromUtf8(club);
            c.sex = n == 1 ? Sex::Female : Sex::Male;
            c.yearOfBirth = 2012;
            list << c;
        }
        doc.importCompetitors(list, "liste.csv");
        for (auto [number, ms] : {std::pair{1, 40000}, std::pair{2, 41000}, std::pair{3, 39000}}) {
            RunRecord r;
            r.startNumber = number;
            r.startTime = QDateTime(QDate(2026, 5, 17), QTime(10, number));
            r.runTimeMs = ms;
            r.cones = number == 2 ? 1 : 0;
            doc.addRun(r);
        }
        ASSERT_TRUE(doc.waitForWrites(3000));
        ASSERT_TRUE(QTest::qWaitFor([&] { return doc.upToDate(); }, 3000));
        QFile list2(dir.filePath("starter.csv"));
        ASSERT_TRUE(list2.open(QIODevice::WriteOnly));
        list2.write("Nr;Name;Klasse;Transponder\r\n1;Anna Berg;K1;17\r\nzwei;Cem;K1;18\r\n");
    }

    // Every text of the results window (each ranking with its headings), the event dialog and the
    // start-list import with a file that has a fault and an unknown column.
    QStringList interfaceTexts(const QString& language) {
        ResultsWindow window(doc, commands);
        window.resize(1100, 650);
        testsupport::saveScreenshots(window, "results-" + language);
        QStringList texts = widgetTexts(&window);
        for (int i = 0; i < window.sectionChoice->count(); ++i) {
            window.sectionChoice->setCurrentIndex(i);
            texts << widgetTexts(window.rankingView);
        }
        EventDialog dialog(doc);
        testsupport::saveScreenshots(dialog, "event-" + language);
        texts << widgetTexts(&dialog);
        StartListImportDialog import;
        import.load(dir.filePath("starter.csv"));
        testsupport::saveScreenshots(import, "startlist-import-" + language);
        texts << widgetTexts(&import);
        for (const StartListProblem& p : import.problems())
            texts << p.message;
        return texts;
    }

    QTemporaryDir dir;
    platform::FakeDialogs dialogs;
    EventDocument doc{dir.path()};
    EventCommands commands{doc, nullptr};
};

} // namespace

TEST_F(EnglishResults, TheResultsWindowAndTheEventsDialogsShowNoGermanText) {
    EXPECT_GT(germanTexts(interfaceTexts("de")).size(), 40);
    ScopedLanguage english(platform::Language::English);
    ASSERT_TRUE(english.installed()) << "vantro_en.qm not built";
    EXPECT_EQ(germanTexts(interfaceTexts("en")).join(" | ").toStdString(), "");
}

TEST_F(EnglishResults, HeadingsExportsRemarksAndMessagesFollowTheLanguage) {
    ScopedLanguage english(platform::Language::English);
    ASSERT_TRUE(english.installed()) << "vantro_en.qm not built";
    const Standings& standings = doc.standings();
    const EventInfo& info = doc.model()->data().info;

    const QList<SheetSection> sections = resultSections(standings, 2);
    QStringList titles;
    for (const SheetSection& s : sections)
        titles << s.title;
    EXPECT_EQ(titles.mid(0, 3), QStringList({"Class K1", "Class K2", "Overall"}));
    EXPECT_EQ(sections.first().headings, QStringList({"Place", "No.", "Name", "Class", "Club", "Run 1",
                                                      "Result", "Gap", "Gap ahead", "Remark"}));
    EXPECT_EQ(resultTitleLines(info).first(), "Results");

    const QString csv = resultsCsv(standings, info, 2);
    EXPECT_TRUE(csv.contains("Place;No.;Name;Class;Club;Run 1;Result;Gap;Gap ahead;Remark\r\n"))
        << qPrintable(csv);
    EXPECT_TRUE(csv.contains("Run 1: 1 cone")) << qPrintable(csv);
    const QString html = resultsHtml(standings, info, 2);
    EXPECT_TRUE(html.contains("<html lang=\"en\">"));
    EXPECT_TRUE(html.contains("<th>Gap ahead</th>")) << qPrintable(html.left(3000));
    EXPECT_EQ(germanTexts(QStringList{csv, html}), QStringList{}) << "beside the names of the event";

    // The printout: the page footer, and the remarks column found by its heading (printed as
    // small notes under the rows where the table is too wide, so the heading is left out then).
    ResultsPrintInput in;
    in.pageWidth = 300;
    in.pageHeight = 842;
    in.titleLines = resultTitleLines(info);
    in.sections = sections;
    in.textWidth = [](PrintTextKind, double scale, const QString& text) {
        return int(text.size() * 6 * scale);
    };
    QStringList printed;
    for (const ResultsPrintLayout::Page& page : layoutResultsPrint(in).pages)
        for (const PrintedText& t : page.texts)
            printed << t.text;
    EXPECT_TRUE(printed.contains("Page 1 of 1")) << qPrintable(printed.join('|'));
    EXPECT_TRUE(printed.contains("Results"));
    EXPECT_FALSE(printed.contains("Remark")) << "the remarks go under the rows on a narrow page";
    EXPECT_TRUE(printed.contains("Run 1: 1 cone"));

    RunRecord run;
    run.startNumber = 7;
    run.runNumber = 2;
    run.runTimeMs = 9000;
    run.needsCheck = true;
    run.cones = 2;
    run.gates = 1;
    EventRules rules;
    rules.minRunTimeMs = 20000;
    RunCell cell;
    cell.run = run;
    cell.training = true;
    const struct {
        QString shown, english;
    } texts[] = {
        {penaltyText(run), "2 cones, 1 gate"},
        {runRemark(cell), "check, practice, 2 cones, 1 gate"},
        {runCheckNotice(run, rules), "Check no. 7, run 2: run time 9,00 s below 20,00 s"},
        {runStatusText(RunStatus::DidNotStart), "did not start"},
        {readStartList("Nr;Name\r\nzwei;Anna\r\n", StartListMode::AllOrNothing).problems.value(0).message,
         "The start number “zwei” is not a number."},
    };
    for (const auto& t : texts)
        EXPECT_EQ(t.shown, t.english);
    StoreError error;
    EventStore::open(dir.filePath("none.vantro"), error);
    EXPECT_TRUE(error.message.startsWith("Error in the event file")) << qPrintable(error.message);
    EXPECT_TRUE(error.message.endsWith("(file not found)")) << qPrintable(error.message);
    // Status words are read in either language.
    EXPECT_EQ(runStatusFromText("did not start"), RunStatus::DidNotStart);
    EXPECT_EQ(runStatusFromText("nicht gestartet"), RunStatus::DidNotStart);
}
