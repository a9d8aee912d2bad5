// The word-processor server: the export's command sequence produces an RTF document whose table is
// read back by a small structural reader.
#include "office/FileOpener.h"
#include "office/RtfDocument.h"
#include "office/WordBasicServer.h"
#include "testing/FakeFileOpener.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace platform;

namespace {

// The text of an RTF fragment: escapes decoded, control words dropped (\tab and \line kept as
// characters), the fallback after \uN skipped.
QString rtfText(const QByteArray& rtf) {
    QString out;
    int skip = 0;
    for (int i = 0; i < rtf.size(); ++i) {
        const char c = rtf[i];
        if (c == '\\' && i + 1 < rtf.size()) {
            const char n = rtf[i + 1];
            if (n == '\\' || n == '{' || n == '}') {
                if (skip > 0)
                    --skip;
                else
                    out += QLatin1Char(n);
                ++i;
            } else if (n == '\'') {
                if (skip > 0)
                    --skip;
                else
                    out += QChar(rtf.mid(i + 2, 2).toInt(nullptr, 16));
                i += 3;
            } else {
                int j = i + 1;
                while (j < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf[j])))
                    ++j;
                const QByteArray word = rtf.mid(i + 1, j - i - 1);
                int k = j;
                if (k < rtf.size() && rtf[k] == '-')
                    ++k;
                while (k < rtf.size() && std::isdigit(static_cast<unsigned char>(rtf[k])))
                    ++k;
                const QByteArray param = rtf.mid(j, k - j);
                if (k < rtf.size() && rtf[k] == ' ')
                    ++k;
                if (word == "u") {
                    out += QChar(char16_t(param.toInt()));
                    skip = 1;
                } else if (word == "tab") {
                    out += QLatin1Char('\t');
                } else if (word == "line") {
                    out += QLatin1Char('\n');
                }
                i = k - 1;
            }
        } else if (c == '\r' || c == '\n' || c == '{' || c == '}') {
        } else if (skip > 0) {
            --skip;
        } else {
            out += QLatin1Char(c);
        }
    }
    return out;
}

struct RtfTable {
    int rowsDefined = 0;           // \trowd
    std::vector<QStringList> rows; // cells closed by \cell, rows closed by \row
    std::vector<int> cellxPerRow;  // \cellx per row definition
};

RtfTable readTable(const QByteArray& rtf) {
    RtfTable t;
    t.rowsDefined = rtf.count("\\trowd");
    const QRegularExpression rowRe(QStringLiteral("\\\\trowd(.*?)\\\\row\\b"),
                                   QRegularExpression::DotMatchesEverythingOption);
    auto it = rowRe.globalMatch(QString::fromLatin1(rtf));
    while (it.hasNext()) {
        const QString row = it.next().captured(1);
        t.cellxPerRow.push_back(row.count(QStringLiteral("\\cellx")));
        const int textStart = row.indexOf(QStringLiteral("\\intbl"));
        QStringList cells = row.mid(textStart + 7).split(QStringLiteral("\\cell ")); // after "\intbl "
        cells.removeLast();                                                          // after the last \cell
        for (QString& c : cells)
            c = rtfText(c.toLatin1());
        t.rows.push_back(cells);
    }
    return t;
}

class WordBasicTest : public ::testing::Test {
protected:
    WordBasicTest() {
        WordBasicSettings settings;
        settings.folder = dir.path();
        RegisterWordBasicServer(automation, settings);
        templ = QDir(dir.path()).filePath("vantro.doc");
        QFile::copy(QStringLiteral(VANTRO_DEFAULT_DOCUMENT), templ);
    }

    // The word-processor export's steps, mode 0 (maximised, stays open) or 1 (minimised, closed).
    void exportText(int mode, const QString& text, const QString& name) {
        OleObject word(automation.CreateObject("Word.Basic"));
        word.Call(mode == 0 ? "AppMaximize" : "AppMinimize");
        word.Call("FileOpen", {templ});
        word.Call("Insert", {text});
        word.Call("LineUp", {32700, 1});
        word.Call("TextToTable", {Named("ConvertFrom", 1), Named("NumColumns", 4)});
        word.Call("FileSaveAs", {name});
        if (mode != 0)
            word.Call("AppClose");
    }

    QByteArray saved(const QString& name) {
        QFile f(QDir(dir.path()).filePath(name));
        EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
        return f.readAll();
    }

    QTemporaryDir dir;
    QString templ;
    Automation automation;
    FakeFileOpener opener;
};

TEST_F(WordBasicTest, ExportBecomesAFourColumnTableInTheTemplate) {
    const QString text = "Who\tTime\tSpeed\tNote\r\n"
                         "\"  Nr.:\"\t7\t\"Jürgen Größe\"\t\r\n"
                         "\"Stopp:\"\t12,34\t\"a \"\"b\"\"\tc\"\t{x}\\y\r\n";
    exportText(0, text, "2026-12-07-22-15.doc");
    const QByteArray rtf = saved("2026-12-07-22-15.doc");
    ASSERT_TRUE(rtf.startsWith("{\\rtf1"));
    EXPECT_TRUE(rtf.contains("{\\info{\\title Zeitenprotokoll}}")); // the template's header stays
    EXPECT_TRUE(rtf.trimmed().endsWith("\\pard\\plain\\f0\\fs20\\par\r\n}"));
    EXPECT_EQ(rtf.count('{'), rtf.count('}') - rtf.count("\\}") + rtf.count("\\{"));

    const RtfTable t = readTable(rtf);
    EXPECT_EQ(t.rowsDefined, 3);
    ASSERT_EQ(t.rows.size(), 3u);
    for (int cellx : t.cellxPerRow)
        EXPECT_EQ(cellx, 4);
    EXPECT_EQ(t.rows[0], QStringList({"Who", "Time", "Speed", "Note"}));
    EXPECT_EQ(t.rows[1], QStringList({"  Nr.:", "7", "Jürgen Größe", ""}));
    EXPECT_EQ(t.rows[2], QStringList({"Stopp:", "12,34", "a \"b\"\tc", "{x}\\y"}));
    // Mode 0 leaves the document open in the desktop's word processor.
    EXPECT_EQ(opener.Opened(), QStringList({QDir(dir.path()).filePath("2026-12-07-22-15.doc")}));
}

TEST_F(WordBasicTest, SavingMinimisedOpensNothingAndCloseEndsTheApplication) {
    const QString target = QDir(dir.path()).filePath("sub/export.doc");
    exportText(1, "a\tb\r\n", target);
    EXPECT_TRUE(opener.Opened().isEmpty());
    const RtfTable t = readTable(saved("sub/export.doc"));
    ASSERT_EQ(t.rows.size(), 1u);
    EXPECT_EQ(t.rows[0], QStringList({"a", "b", "", ""}));

    OleObject word(automation.CreateObject("Word.Basic"));
    word.Call("AppClose");
    try {
        word.Call("AppMaximize");
        FAIL() << "no exception";
    } catch (const EOleException& e) {
        EXPECT_EQ(e.Message(), "Word.Basic.AppMaximize: the application has been closed");
    }
}

TEST_F(WordBasicTest, FailingStepsSayWhy) {
    OleObject word(automation.CreateObject("Word.Basic"));
    auto message = [](auto&& f) -> QString {
        try {
            f();
        } catch (const EOleException& e) {
            return e.Message();
        }
        return "no exception";
    };
    EXPECT_EQ(message([&] { word.Call("Insert", {QString("x")}); }),
              "Word.Basic.Insert: no document is open");
    EXPECT_TRUE(
        message([&] {
            word.Call("FileOpen", {QString("missing.doc")});
        }).startsWith("Word.Basic.FileOpen: cannot open " + QDir(dir.path()).filePath("missing.doc")));
    QFile bin(QDir(dir.path()).filePath("binary.doc"));
    ASSERT_TRUE(bin.open(QIODevice::WriteOnly));
    bin.write("\xd0\xcf\x11\xe0");
    bin.close();
    EXPECT_TRUE(message([&] { word.Call("FileOpen", {bin.fileName()}); }).endsWith("not an RTF document"));

    word.Call("FileOpen", {templ});
    word.Call("Insert", {QString("x\ty\r\n")});
    EXPECT_EQ(message([&] { word.Call("TextToTable", {Named("ConvertFrom", 1)}); }),
              "Word.Basic.TextToTable: no text is selected");
    EXPECT_EQ(message([&] { word.Call("TextToTable", {Named("Rows", 1)}); }),
              "Word.Basic.TextToTable has no argument \"Rows\"");
    EXPECT_EQ(
        message([&] { word.Call("FileSaveAs", {QDir(dir.path()).filePath("binary.doc/x.doc")}); }).left(31),
        "Word.Basic.FileSaveAs: cannot w");
}

TEST(RtfDocumentTest, TableReplacesOnlyTheLinesPassedOver) {
    RtfDocument doc;
    doc.Insert("Title\r\nx\ty\r\n1\t2\r\n");
    doc.LineUp(2, true);
    ASSERT_TRUE(doc.TextToTable(1, 0).isEmpty());
    ASSERT_EQ(doc.Blocks().size(), 2u);
    EXPECT_FALSE(doc.Blocks()[0].isTable);
    EXPECT_EQ(doc.Blocks()[0].text, "Title");
    ASSERT_TRUE(doc.Blocks()[1].isTable);
    EXPECT_EQ(doc.Blocks()[1].rows, (std::vector<QStringList>{{"x", "y"}, {"1", "2"}}));

    // A line with more fields than columns continues on the next row; a quoted line break stays.
    RtfDocument wide;
    wide.Insert("a\tb\tc\r\n\"p\r\nq\"\tr\r\n");
    wide.LineUp(32700, true);
    ASSERT_TRUE(wide.TextToTable(1, 2).isEmpty());
    ASSERT_EQ(wide.Blocks().size(), 1u);
    EXPECT_EQ(wide.Blocks()[0].rows, (std::vector<QStringList>{{"a", "b"}, {"c", ""}, {"p\rq", "r"}}));
}

TEST(RtfDocumentTest, TemplateBodyStartsAfterItsHeaderGroups) {
    RtfDocument doc;
    ASSERT_TRUE(doc.Load("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\*\\generator x;}\\paperw11906 "
                         "{\\header \\pard Kopf\\par}\\pard Schluss\\par}")
                    .isEmpty());
    doc.Insert("Mitte\r\n");
    const QByteArray rtf = doc.ToRtf();
    const int middle = rtf.indexOf("Mitte");
    EXPECT_GT(middle, rtf.indexOf("Kopf"));
    EXPECT_LT(middle, rtf.indexOf("Schluss"));
    EXPECT_EQ(RtfDocument::Escape("ä€\t{"), QByteArray("\\u228\\'e4\\u8364?\\tab \\{"));
}

} // namespace
