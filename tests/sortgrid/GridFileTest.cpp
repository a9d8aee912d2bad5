#include "FileBytes.h"
#include "core/CommaText.h"
#include "sortgrid/EConvertError.h"
#include "sortgrid/ProtocolFile.h"
#include "sortgrid/SortGrid.h"
#include "sortgrid/WindowLayout.h"
#include "testing/FakeDialogs.h"

#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace {

// Everything a load may change, to show that a failed load changed nothing.
struct GridState {
    int32_t cols, rows;
    std::vector<QStringList> cells;
    QStringList user;
    bool columnFormatsFirst, modified;
    int colFormats, rowFormats;
    bool operator==(const GridState&) const = default;
};

// The protocol grid as the main window sets it up, holding three runs.
class GridFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        g.setColCount(4);
        g.setRowCount(2);
        g.setDefaultColWidth(60);
        g.setDefaultRowHeight(22);
        g.SortOptions()->setCanSort(false);
        g.Rows(0)->setCommaText("Who,Time,Speed,Note");
        g.AddRow(QStringList{"  Nr.: 7 Jörg Maaß", "Start:", "", ""});
        g.AddRow(QStringList{"Stopp:", "12,34", "56,7 km/h", R"(said "fast", then left)"});
        g.AddRow(QStringList{"-", "", "", ""});
        g.SetModified(false);
    }

    QString File(const char* name) const { return dir.filePath(name); }

    QStringList Row(int32_t r) {
        QStringList out;
        for (int32_t c = 0; c < g.ColCount(); ++c)
            out << g.Cells(c, r);
        return out;
    }

    GridState State() {
        GridState s{g.ColCount(),
                    g.RowCount(),
                    {},
                    {},
                    g.ColumnFormatsFirst(),
                    g.Modified(),
                    g.ColumnFormats()->Count(),
                    g.RowFormats()->Count()};
        for (int32_t r = 0; r < g.RowCount(); ++r)
            s.cells.push_back(Row(r));
        for (int i = 0; i < g.UserSettings()->Count(); ++i)
            s.user << g.UserSettings()->Strings(i);
        return s;
    }

    platform::FakeDialogs dialogs;
    TSortGrid g;
    QTemporaryDir dir;
};

} // namespace

TEST_F(GridFileTest, ProtocolFileHasSettingsLinesLayoutLineAndOneLinePerRow) {
    g.ColumnFormats()->Items(1)->setBold(true);
    g.UserSettings()->Add("Kartslalom 2026");
    const QStringList lines = g.BuildFileLines(false);
    ASSERT_EQ(lines.size(), 5 + 4);
    EXPECT_EQ(lines[0], "GenerelSettings,0");
    EXPECT_EQ(
        lines[1],
        R"(FontColSettings,"clBlack,0,0,0,clBlack","clBlack,1,0,0,clBlack","clBlack,0,0,0,clBlack","clBlack,0,0,0,clBlack")");
    EXPECT_TRUE(lines[2].startsWith("FontRowSettings,\"clBlack,0,0,0,clBlack\","));
    EXPECT_EQ(lines[3], R"(UserSettings,"Kartslalom 2026")");
    EXPECT_EQ(lines[4], "-1,-1,-1,-1,-1,-1,-1,-1");
    EXPECT_EQ(lines[5], "Who,Time,Speed,Note");
    EXPECT_EQ(lines[6], R"("  Nr.: 7 Jörg Maaß",Start:,,)");
    EXPECT_EQ(lines[7], R"(Stopp:,"12,34","56,7 km/h","said ""fast"", then left")");

    g.SaveToFile(File("p.txt"), false);
    EXPECT_TRUE(dialogs.messages().isEmpty());
    const QByteArray bytes = ReadBytes(File("p.txt"));
    EXPECT_TRUE(bytes.startsWith("GenerelSettings,0\r\nFontColSettings,"));
    EXPECT_TRUE(bytes.endsWith("-,,,\r\n"));
    EXPECT_TRUE(bytes.contains("\"  Nr.: 7 J\xF6rg Maa\xDF\"")) << "umlauts as Windows-1252 bytes";
}

TEST_F(GridFileTest, SavedProtocolLoadsBackWithCellsUserSettingsAndFormats) {
    g.setColumnFormatsFirst(true);
    g.ColumnFormats()->Items(2)->setFontColor(clRed);
    g.ColumnFormats()->Items(2)->setItalic(true);
    g.UserSettings()->Add("a b");
    g.UserSettings()->Add("");
    g.SaveToFile(File("p.txt"), false);
    const GridState saved = State();

    g.Clear();
    g.setColumnFormatsFirst(false);
    g.UserSettings()->Add("other");
    g.SortOptions()->setSortDirection(sdDescending);
    ASSERT_TRUE(g.LoadFromFile(File("p.txt"), false));

    GridState loaded = State();
    EXPECT_EQ(loaded.cells, saved.cells);
    EXPECT_EQ(loaded.user, (QStringList{"a b", ""}));
    EXPECT_TRUE(loaded.columnFormatsFirst);
    EXPECT_EQ(g.ColumnFormats()->Items(2)->FontColor(), clRed);
    EXPECT_TRUE(g.ColumnFormats()->Items(2)->Italic());
    EXPECT_EQ(g.SortOptions()->SortDirection(), sdAscending);
    // As designed, the count changes of a load leave the protocol marked modified.
    EXPECT_TRUE(g.Modified());
}

TEST_F(GridFileTest, LoadThenSaveGivesTheSameBytesWithTheRowFormatsInPlace) {
    g.RowFormats()->Items(2)->setBold(true);
    for (const bool layout : {false, true}) {
        g.SaveToFile(File("p.txt"), layout);
        const QByteArray first = ReadBytes(File("p.txt"));
        for (int cycle = 0; cycle < 2; ++cycle) {
            ASSERT_TRUE(g.LoadFromFile(File("p.txt"), layout));
            EXPECT_EQ(g.RowFormats()->Count(), g.RowCount());
            EXPECT_TRUE(g.RowFormats()->Items(2)->Bold());
            g.SaveToFile(File("p.txt"), layout);
            EXPECT_EQ(ReadBytes(File("p.txt")), first) << "layout " << layout << ", cycle " << cycle;
        }
    }
}

TEST_F(GridFileTest, LoadAcceptsEveryLineEndAndIgnoresTrailingEmptyLines) {
    for (const QByteArray& eol : {QByteArray("\r\n"), QByteArray("\n"), QByteArray("\r")}) {
        QByteArray file =
            "UserSettings\r\n-1,-1\nWho,Time,Speed,Note" + eol + "a,b,c,d" + eol + "x,y" + eol + eol;
        WriteBytes(File("e.txt"), file);
        ASSERT_TRUE(g.LoadFromFile(File("e.txt"), false)) << eol.toHex().constData();
        EXPECT_EQ(g.RowCount(), 3);
        // The widest row decides the column count, not the last one.
        EXPECT_EQ(g.ColCount(), 4);
        EXPECT_EQ(Row(2), (QStringList{"x", "y", "", ""}));
    }
    // A last line without a line end counts.
    WriteBytes(File("n.txt"), "-1\r\nWho\r\nlast");
    ASSERT_TRUE(g.LoadFromFile(File("n.txt"), false));
    EXPECT_EQ(g.RowCount(), 2);
    EXPECT_EQ(g.Cells(0, 1), "last");
}

TEST_F(GridFileTest, SectionNamesAreExactAndAFileWithoutSettingsStartsWithItsLayoutLine) {
    WriteBytes(File("l.txt"), "generelsettings,1\r\nWho,Time\r\nr1,t1\r\n");
    ASSERT_TRUE(g.LoadFromFile(File("l.txt"), false));
    EXPECT_FALSE(g.ColumnFormatsFirst());
    EXPECT_EQ(g.RowCount(), 2);
    EXPECT_EQ(g.ColCount(), 2);
    EXPECT_EQ(Row(0), (QStringList{"Who", "Time"}));
    EXPECT_EQ(Row(1), (QStringList{"r1", "t1"}));
}

TEST_F(GridFileTest, RowsFilledByALoadNeverShowEarlierTexts) {
    // Row 2 is deleted but stays stored past the end; rows of the file with fewer cells must not
    // show what was there.
    g.DeleteRow(2);
    WriteBytes(File("s.txt"), "-1\r\nWho\r\none\r\ntwo\r\nthree,3\r\n");
    ASSERT_TRUE(g.LoadFromFile(File("s.txt"), false));
    EXPECT_EQ(g.ColCount(), 2);
    EXPECT_EQ(Row(0), (QStringList{"Who", ""}));
    EXPECT_EQ(Row(1), (QStringList{"one", ""}));
    EXPECT_EQ(Row(3), (QStringList{"three", "3"}));
    g.setColCount(4);
    EXPECT_EQ(Row(0), (QStringList{"Who", "", "", ""}));
    EXPECT_EQ(Row(3), (QStringList{"three", "3", "", ""}));
}

TEST_F(GridFileTest, ABadEmptyOrUnreadableFileReturnsFalseAndChangesNothing) {
    g.UserSettings()->Add("keep");
    g.SetModified(false);
    const GridState before = State();
    // Each refused file with the reason the load gives for it.
    const std::vector<std::pair<QByteArray, const char*>> bad = {
        {"", "the file is empty"},
        {"\r\n\r\n", "the file is empty"},
        {"GenerelSettings\r\n-1\r\nWho\r\n", "GenerelSettings without a value"},
        {"FontColSettings,\"nocolour,0,0,0,clRed\"\r\n-1\r\nWho\r\n",
         "'nocolour' is not a valid colour value"},
        {"GenerelSettings,0\r\nFontColSettings\r\nFontRowSettings\r\nUserSettings\r\n-1,-1\r\n",
         "the file holds no rows"},
        {"GenerelSettings,1\nFontColSettings\nFontRowSettings\nUserSettings\n",
         "the file ends before its layout line"},
    };
    for (const auto& [bytes, reason] : bad) {
        WriteBytes(File("bad.txt"), bytes);
        EXPECT_FALSE(g.LoadFromFile(File("bad.txt"), false)) << bytes.constData();
        EXPECT_TRUE(State() == before) << bytes.constData();
        const ProtocolLoad load = g.loadProtocol(File("bad.txt"), FileLayout::Skip);
        EXPECT_FALSE(load.Loaded);
        EXPECT_TRUE(load.Reason.contains(QString::fromUtf8(reason))) << load.Reason.toStdString();
        EXPECT_FALSE(load.Window);
    }
    EXPECT_FALSE(g.LoadFromFile(File("missing.txt"), false));
    EXPECT_EQ(g.loadProtocol(File("missing.txt"), FileLayout::Skip).Reason,
              QString::fromUtf8("Die Datei oder der Ordner existiert nicht."));
    EXPECT_FALSE(g.LoadFromFile(dir.path(), false));
    EXPECT_EQ(g.loadProtocol(dir.path(), FileLayout::Skip).Reason,
              QString::fromUtf8("Es ist ein Ordner, keine Datei."));
    EXPECT_TRUE(State() == before);
    // With layout, every width must be a number.
    WriteBytes(File("lay.txt"), "UserSettings\r\n800,600,60,x,0,0\r\nWho,Time\r\n");
    EXPECT_FALSE(g.LoadFromFile(File("lay.txt"), true));
    EXPECT_EQ(g.loadProtocol(File("lay.txt"), FileLayout::Use).Reason,
              "Not a protocol file: 'x' in the layout line is not a number");
    EXPECT_TRUE(State() == before);
    EXPECT_TRUE(dialogs.messages().isEmpty());
}

TEST_F(GridFileTest, ABinaryFileIsRefusedAndAZeroCharacterInACellRoundTrips) {
    g.SetModified(false);
    const GridState before = State();
    // The start of a spreadsheet (zip) file: zero bytes outside any quotes, and line-end bytes in
    // the packed data, so without the check it would load as a layout line and rows of garbage.
    const QByteArray zip = QByteArray::fromHex(
        "504b03041400060008000000210062ee9d685e01000090040000130008025b436f6e74656e745f54797065735d2e786d"
        "6c20a2040228a0000200000d0aac94cb4ec3301045f748fc43e42d4adcb2400835e982c712a844810f98da93c6aa1fb2"
        "67fafa7b266d1b2154d4160a9b44c9dc7bcf789c640a0000504b01022d00140006000800000021000a");
    ASSERT_TRUE(zip.contains('\0'));
    WriteBytes(File("p.xlsx"), zip);
    EXPECT_FALSE(g.LoadFromFile(File("p.xlsx"), false));
    EXPECT_TRUE(State() == before);
    // A settings line or a row cut short by a zero byte is refused too, wherever it stands.
    for (QByteArray bytes : {QByteArray("UserSettings,a@b\r\n-1\r\nWho\r\nrow\r\n"),
                             QByteArray("-1\r\nWho,Time\r\nr1,t1@,t2\r\n")}) {
        bytes.replace('@', '\0');
        WriteBytes(File("z.txt"), bytes);
        EXPECT_FALSE(g.LoadFromFile(File("z.txt"), false)) << bytes.toHex().constData();
        EXPECT_TRUE(State() == before);
    }
    EXPECT_TRUE(dialogs.messages().isEmpty());

    // A zero character inside a cell is written in quotes, so the file loads back whole.
    const QString zero = QString("12") + QChar(0) + "34";
    g.setCells(3, 2, zero);
    g.setCells(0, 3, QString(QChar(0)));
    const GridState saved = State();
    g.SaveToFile(File("p.txt"), false);
    g.Clear();
    ASSERT_TRUE(g.LoadFromFile(File("p.txt"), false));
    EXPECT_EQ(State().cells, saved.cells);
    EXPECT_EQ(g.Cells(3, 2), zero);
}

TEST(ProtocolFileText, AFileTextReadsLikeItsLinesOneByOneAndReportsItsFirstBadLine) {
    // The widest row comes last.
    QString text = QStringLiteral("GenerelSettings,1\r\n-1,-1\r\nWho,Time\r\n");
    const int rows = 6000;
    for (int i = 1; i < rows; ++i)
        text +=
            QStringLiteral("\"  Nr.: %1 J\u00f6rg\",%2,,\r\n").arg(i).arg(i % 7 ? QString() : QString("x y"));
    text += QStringLiteral("a,b,c,d,e\n\n");
    const ProtocolFileData data = ParseProtocolText(text, false);
    ASSERT_EQ(data.Rows.size(), size_t(rows + 1));
    EXPECT_EQ(data.ColCount, 5);
    EXPECT_EQ(data.ColumnFormatsFirst, true);
    const QStringList lines = SplitFileLines(text);
    for (int i : {0, 1, 7, 2999, 4567, rows - 1, rows})
        EXPECT_EQ(data.Rows[size_t(i)], ParseCommaText(lines[i + 2])) << i;

    // Zero characters in two rows: the message names the first, from either reader.
    QStringList bad = lines;
    bad[5000] = QString("z") + QChar(0) + "z";
    bad[2000] = QString("y") + QChar(0);
    QString badText = bad.join(u'\n');
    for (int run = 0; run < 2; ++run) {
        try {
            (void)(run == 0 ? ParseProtocolLines(bad, false) : ParseProtocolText(badText, false));
            ADD_FAILURE() << "no error";
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(),
                      "Not a protocol file: line 2001 holds a zero character outside double quotes");
        }
    }
}

TEST(ProtocolFileText, PackedRowsHoldWhatTheListsHoldForEveryKindOfText) {
    const QString longText = QString(300, QChar(u'\u00e4')) + QStringLiteral("Ende");
    const QString zeroInside = QStringLiteral("\"a") + QChar(0) + QStringLiteral("b\"");
    const QStringList rows = {
        QStringLiteral("Who,Time,Speed,Note"),
        QStringLiteral(",,,"),                                            // nothing but empty items
        QStringLiteral("\"\",x,\"\",y"),                                  // quoted empty items
        QStringLiteral("\"") + longText + QStringLiteral("\",kurz"),      // long, beyond one byte
        QStringLiteral("\u03a9mega,\U0001F3C1,\u65e5\u672c,z"),           // Greek, a flag pair, CJK
        QStringLiteral("\"sagt \"\"Stopp\"\"\",\"\"\"\",a\"\"b,\"x,y\""), // doubled quotes, comma inside
        zeroInside + QStringLiteral(",nach"),                             // a zero character inside quotes
        QStringLiteral("a,b,c,d,e,"),                                     // the widest row, a last empty item
        QStringLiteral("einzeln"),
    };
    QString text = QStringLiteral("-1,-1\r\n");
    for (const QString& r : rows)
        text += r + QStringLiteral("\r\n");
    const ProtocolFileData lists = ParseProtocolText(text, false, RowStorage::Lists);
    const ProtocolFileData packed = ParseProtocolText(text, false, RowStorage::Packed);
    ASSERT_EQ(lists.Rows.size(), size_t(rows.size()));
    ASSERT_EQ(packed.PackedRows.size(), size_t(rows.size()));
    EXPECT_TRUE(packed.Rows.empty());
    EXPECT_EQ(packed.ColCount, lists.ColCount);
    EXPECT_EQ(packed.ColCount, 6);
    EXPECT_EQ(lists.Rows[6][0], QStringLiteral("a") + QChar(0) + QStringLiteral("b"));
    EXPECT_EQ(lists.Rows[5][0], QStringLiteral("sagt \"Stopp\""));
    for (size_t r = 0; r < lists.Rows.size(); ++r)
        for (int c = 0; c < lists.ColCount; ++c)
            EXPECT_EQ(packed.PackedRows[r]->text(c).toString(), lists.Rows[r].value(c)) << r << ", " << c;

    // A zero character outside quotes refuses the file in both forms alike.
    const QString bad = text + QStringLiteral("x") + QChar(0) + QStringLiteral("y\r\n");
    for (const RowStorage storage : {RowStorage::Lists, RowStorage::Packed})
        EXPECT_THROW((void)ParseProtocolText(bad, false, storage), EConvertError);
}

TEST(ProtocolFileText, FormatLinesOfManyAlikeEntriesReadEveryEntryAndRefuseABadOne) {
    // A protocol has a row format per row, nearly all alike; the entries that differ, and those after
    // them, must come back as written.
    TFontSetting plain, bold, red;
    bold.setBold(true);
    red.setFontColor(clRed);
    red.setUnderline(true);
    const std::vector<TFontSetting> rows = {plain, plain, bold, plain, bold, bold, red, red, plain};
    ProtocolFileData written;
    written.ColumnFormats = std::vector<TFontSetting>{red, red};
    written.RowFormats = rows;
    written.Layout = QStringList{"-1", "-1", "-1", "-1", "-1"};
    written.Rows = {{"Who"}, {"Start:"}};
    const QStringList lines = BuildProtocolLines(written);
    EXPECT_EQ(lines[2].count(QStringLiteral("clRed,0,0,1,clBlack")), 2);
    const ProtocolFileData read = ParseProtocolLines(lines, false);
    EXPECT_EQ(read.ColumnFormats, written.ColumnFormats);
    EXPECT_EQ(read.RowFormats, rows);

    // An entry that is not a setting fails the file, wherever it stands among alike ones.
    for (const QString& badEntry :
         {QStringLiteral("\"clBlack,0\""), QStringLiteral("\"clNoColour,0,0,0,clBlack\"")}) {
        QStringList bad = lines;
        bad[2] = bad[2].replace(QStringLiteral("\"clBlack,1,0,0,clBlack\""), badEntry);
        EXPECT_THROW(ParseProtocolLines(bad, false), EConvertError) << qPrintable(badEntry);
    }
    // A zero character ends a format line's reading as any other's.
    QStringList zero = lines;
    zero[2].append(QChar(0)).append(QStringLiteral(",\"clBlack,0,0,0,clBlack\""));
    EXPECT_THROW(ParseProtocolLines(zero, false), EConvertError);
}

TEST_F(GridFileTest, TheLayoutIsAValueTheGridNeitherTakesFromNorGivesToItsWindow) {
    QWidget form;
    g.setParent(&form);
    form.setGeometry(40, 50, 500, 300);
    g.setColWidths(1, 77);
    // Saved with a layout given as a value; the window's own geometry plays no part.
    g.saveProtocol(File("w.txt"), WindowLayout{640, 480, 12, std::nullopt});
    const QStringList lines = SplitFileLines(QString::fromUtf8(ReadBytes(File("w.txt"))));
    EXPECT_EQ(ParseCommaText(lines[4]), (QStringList{"640", "480", "60", "77", "60", "60", "12", "-1"}));

    g.setColWidths(1, 20);
    const ProtocolLoad load = g.loadProtocol(File("w.txt"), FileLayout::Use);
    ASSERT_TRUE(load.Loaded) << load.Reason.toStdString();
    EXPECT_TRUE(load.Reason.isEmpty());
    EXPECT_EQ(load.Window, (WindowLayout{640, 480, 12, std::nullopt}));
    EXPECT_EQ(g.ColWidths(1), 77) << "the columns are the grid's own";
    EXPECT_EQ(form.geometry(), QRect(40, 50, 500, 300)) << "the window is left to its owner";

    // The window applies it: moved where a position is given, resized.
    load.Window->ApplyTo(form);
    EXPECT_EQ(form.size(), QSize(640, 480));
    EXPECT_EQ(form.x(), 12);
    g.setParent(nullptr);
}

TEST_F(GridFileTest, LayoutLineCarriesFormSizeColumnWidthsAndPosition) {
    QWidget form;
    g.setParent(&form);
    form.setGeometry(40, 50, 500, 300);
    g.setColWidths(1, 77);
    const QStringList layout = ParseCommaText(g.BuildFileLines(true)[4]);
    EXPECT_EQ(layout, (QStringList{"500", "300", "60", "77", "60", "60", QString::number(form.x()),
                                   QString::number(form.y())}));
    const QStringList lines = {"UserSettings", "400,250,30,31,32,33,-1,-1", "Who,Time,Speed,Note", "a,b,c,d"};
    ASSERT_TRUE(g.ParseFileLines(lines, true));
    EXPECT_EQ(g.ColWidths(0), 30);
    EXPECT_EQ(g.ColWidths(3), 33);
    EXPECT_EQ(form.width(), 400);
    EXPECT_EQ(form.height(), 250);
    g.setParent(nullptr);
}

TEST_F(GridFileTest, WindowsFileWithUmlautsAndTextBeyondWindows1252BothLoadRight) {
    WriteBytes(File("w.txt"), "GenerelSettings,0\r\n-1,-1,-1,-1,-1,-1,-1,-1\r\nWho,Time,Speed,Note\r\n"
                              "\"  Nr.: 3 J\xFCrgen G\xF6\xDF\",Start:,,\r\n");
    ASSERT_TRUE(g.LoadFromFile(File("w.txt"), false));
    EXPECT_EQ(g.Cells(0, 1), QStringLiteral("  Nr.: 3 Jürgen Göß"));

    g.setCells(0, 1, QStringLiteral("  Nr.: 4 Łukasz Żak"));
    g.SaveToFile(File("u.txt"), false);
    EXPECT_TRUE(ReadBytes(File("u.txt")).contains(QStringLiteral("Łukasz Żak").toUtf8()));
    g.Clear();
    ASSERT_TRUE(g.LoadFromFile(File("u.txt"), false));
    EXPECT_EQ(g.Cells(0, 1), QStringLiteral("  Nr.: 4 Łukasz Żak"));
}

TEST_F(GridFileTest, CsvQuotesOnlyWhatASpreadsheetWouldMisread) {
    g.Clear();
    g.AddRow(QStringList{"ab;cd", "ef", R"(5" tyre)", "Jörg"});
    g.AddRow(QStringList{R"("quoted";x)", "two\r\nlines", R"("start)", ""});
    g.SaveToCsvFile(File("p.csv"));
    EXPECT_TRUE(dialogs.messages().isEmpty());
    EXPECT_EQ(ReadBytes(File("p.csv")),
              QByteArray("Who;Time;Speed;Note\r\n"
                         "\"ab;cd\";ef;5\" tyre;J\xF6rg\r\n"
                         "\"\"\"quoted\"\";x\";\"two\r\nlines\";\"\"\"start\";\r\n"));
    g.setCells(3, 1, QStringLiteral("Łukasz"));
    g.SaveToCsvFile(File("u.csv"));
    EXPECT_TRUE(ReadBytes(File("u.csv")).startsWith("\xEF\xBB\xBFWho;Time;Speed;Note\r\n"));
}

TEST_F(GridFileTest, AFailedSaveSaysSoAndLeavesTheOldFileByteForByte) {
    const QString missing = File("no/such/dir/p.txt");
    g.SaveToFile(missing, false);
    g.SaveToCsvFile(missing);
    // The old text and the name, and the reason on a line of its own below them.
    EXPECT_EQ(dialogs.messages(),
              QStringList(2, QStringLiteral("Can't write to file:\r%1\nDer Ordner %2 existiert nicht.")
                                 .arg(missing, File("no/such/dir"))));

    // A write cut off half-way (file-size limit) keeps the previous protocol.
    const QByteArray old = "GenerelSettings,0\r\nthe protocol as it was\r\n";
    WriteBytes(File("p.txt"), old);
    for (int i = 0; i < 3000; ++i)
        g.AddRow(QStringList{QString("  Nr.: %1 a rather long name").arg(i), "Start:", "12:00:00", ""});
    {
        const FileSizeLimit limit(16 * 1024);
        g.SaveToFile(File("p.txt"), false);
    }
    EXPECT_EQ(ReadBytes(File("p.txt")), old);
    ASSERT_EQ(dialogs.messages().size(), 3);
    EXPECT_TRUE(dialogs.messages()[2].endsWith(QStringLiteral("p.txt\nDie Datei ist zu groß.")))
        << dialogs.messages()[2].toStdString();
}

TEST_F(GridFileTest, LoadSizesEachColumnToItsWidestText) {
    // Texts of equal length but different widths, one beyond Latin-1 and one with a tab: the
    // column must fit the widest as measured, whatever the grid skips to be fast.
    for (const char* family : {"Liberation Sans", "Liberation Mono"}) {
        QFont f(family);
        f.setPixelSize(16);
        g.setFont(f);
        const QStringList col0 = {"Who", "iiiiiiii", "WWWWWWWW", "mmmmmmmm", "Łłżźćęąś", "a\tb", "W"};
        QStringList lines = {"-1"};
        for (const QString& t : col0)
            lines << ToCommaText({t, "x"});
        ASSERT_TRUE(g.ParseFileLines(lines, false));
        const QFontMetrics fm(f);
        int widest = 0;
        for (const QString& t : col0)
            widest = std::max(widest, fm.horizontalAdvance(t));
        EXPECT_EQ(g.ColWidths(0), widest + fm.horizontalAdvance("X")) << family;
    }
}
