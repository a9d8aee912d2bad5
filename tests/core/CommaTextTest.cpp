#include "core/CommaText.h"
#include "core/TStringList.h"

#include <gtest/gtest.h>

namespace {
QStringList L(std::initializer_list<const char*> items) {
    QStringList out;
    for (const char* s : items)
        out.append(QString::fromUtf8(s));
    return out;
}
} // namespace

TEST(CommaText, WritesPlainItemsAsTheyAreAndQuotesOnlyWhereNeeded) {
    EXPECT_EQ(ToCommaText(L({"a", "b", "c"})), "a,b,c");
    EXPECT_EQ(ToCommaText(L({"Max Muster", "1,5", "say \"hi\"", "x"})),
              "\"Max Muster\",\"1,5\",\"say \"\"hi\"\"\",x");
    EXPECT_EQ(ToCommaText(QStringList{QString("a\tb"), QString(QChar(0)) + "z"}),
              QString("\"a\tb\",\"") + QChar(0) + "z\"");
    EXPECT_EQ(ToCommaText(L({"Äpfel", "a;b"})), "Äpfel,a;b");
}

TEST(CommaText, WritesEmptyItemsAsNothingButALoneEmptyItemAsTwoQuotes) {
    EXPECT_EQ(ToCommaText(L({"", "", "", ""})), ",,,");
    EXPECT_EQ(ToCommaText(L({"", "x", ""})), ",x,");
    EXPECT_EQ(ToCommaText(L({""})), "\"\"");
    EXPECT_EQ(ToCommaText(QStringList()), "");
}

TEST(CommaText, ReadingSkipsBlanksAroundItemsAndSplitsUnquotedItemsAtBlanks) {
    EXPECT_EQ(ParseCommaText("  a ,\tb,c"), L({"a", "b", "c"}));
    // An unquoted blank ends the item; what follows starts the next one.
    EXPECT_EQ(ParseCommaText("Max Muster,1"), L({"Max", "Muster", "1"}));
    EXPECT_EQ(ParseCommaText(""), QStringList());
    EXPECT_EQ(ParseCommaText("   "), QStringList());
}

TEST(CommaText, ReadingQuotedItemsUndoublesQuotesAndKeepsCommasAndBlanks) {
    EXPECT_EQ(ParseCommaText("\"Max Muster\",\"1,5\",\"say \"\"hi\"\"\""),
              L({"Max Muster", "1,5", "say \"hi\""}));
    EXPECT_EQ(ParseCommaText("\"\""), L({""}));
    // Text right after a closing quote starts the next item.
    EXPECT_EQ(ParseCommaText("\"ab\"cd,e"), L({"ab", "cd", "e"}));
}

TEST(CommaText, ReadingEmptyItemsAndTheTrailingComma) {
    EXPECT_EQ(ParseCommaText(",,,"), L({"", "", "", ""}));
    EXPECT_EQ(ParseCommaText("a,"), L({"a", ""}));
    EXPECT_EQ(ParseCommaText("a,,b"), L({"a", "", "b"}));
    // Only a comma that is literally the last character adds the extra empty item.
    EXPECT_EQ(ParseCommaText("a, "), L({"a"}));
}

TEST(CommaText, ReadingAnUnterminatedQuoteKeepsTheRestOfTheLine) {
    EXPECT_EQ(ParseCommaText("x,\"abc"), L({"x", "abc"}));
    EXPECT_EQ(ParseCommaText("\"a\"\"b"), L({"a\"b"}));
    EXPECT_EQ(ParseCommaText("\""), L({""}));
}

TEST(CommaText, ReadingStopsAtAZeroCharacterOutsideQuotes) {
    // The line ends at the zero character, so a comma right before it is a trailing comma.
    const QString line = QString("a,") + QChar(0) + "b,c";
    EXPECT_EQ(ParseCommaText(line), ParseCommaText("a,"));
    EXPECT_EQ(ParseCommaText(line), L({"a", ""}));
    EXPECT_EQ(ParseCommaText(QString("a") + QChar(0) + ",b"), L({"a"}));
    const QString quoted = QString("\"x") + QChar(0) + "y\",z";
    EXPECT_EQ(ParseCommaText(quoted), (QStringList{QString("x") + QChar(0) + "y", "z"}));
}

TEST(CommaText, ReadingTellsWhetherAZeroCharacterCutTheLineShort) {
    bool whole = false;
    EXPECT_EQ(ParseCommaText(u"a,\"b c\",", whole), L({"a", "b c", ""}));
    EXPECT_TRUE(whole);
    EXPECT_EQ(ParseCommaText(u"", whole), QStringList());
    EXPECT_TRUE(whole);
    // Inside quotes the zero character is part of the item, even in a quote left open.
    const QString quoted = QString("\"x") + QChar(0) + "y\",\"" + QChar(0);
    EXPECT_EQ(ParseCommaText(quoted, whole), (QStringList{QString("x") + QChar(0) + "y", QString(QChar(0))}));
    EXPECT_TRUE(whole);
    // Outside quotes it drops what follows, even when only the zero character itself is left.
    for (const QString& cut : {QString("a,") + QChar(0) + "b,c", QString("a") + QChar(0) + ",b",
                               QString(QChar(0)) + "a", QString("a,b ") + QChar(0)}) {
        whole = true;
        EXPECT_EQ(ParseCommaText(cut, whole), ParseCommaText(cut));
        EXPECT_FALSE(whole) << cut.toUtf8().toHex().constData();
    }
}

TEST(CommaText, RoundTripsAwkwardItems) {
    const QStringList cases[] = {
        L({"Who", "Time", "Speed", "Note"}),
        L({"  Nr.:", "12 Hans Müller", "", ""}),
        L({"", "", "", ""}),
        L({""}),
        L({"\"", ",", " ", "\"\"", "a\"b,c d"}),
        L({"clBlack,0,0,0,clBlack", "$00FF00FF"}),
    };
    for (const QStringList& items : cases)
        EXPECT_EQ(ParseCommaText(ToCommaText(items)), items) << ToCommaText(items).toStdString();
}

TEST(CommaText, NestedCommaTextSurvivesTwoLevels) {
    const QString inner = ToCommaText(L({"clBlack", "0", "1", "0", "clBlack"}));
    const QString line = ToCommaText(QStringList{"FontColSettings", inner, inner});
    EXPECT_EQ(line, "FontColSettings,\"clBlack,0,1,0,clBlack\",\"clBlack,0,1,0,clBlack\"");
    const QStringList back = ParseCommaText(line);
    ASSERT_EQ(back.size(), 3);
    EXPECT_EQ(ParseCommaText(back[2]), L({"clBlack", "0", "1", "0", "clBlack"}));
}

TEST(CommaText, StringListPropertyUsesTheSameRules) {
    TStringList list;
    list.setCommaText("a, \"b c\",");
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Strings(1), "b c");
    EXPECT_EQ(list.Strings(2), "");
    EXPECT_EQ(list.CommaText(), "a,\"b c\",");
    list.setCommaText("");
    EXPECT_EQ(list.Count(), 0);
}

TEST(CommaTextReader, ReadsEveryLineAsParseCommaTextAndSharesRepeatedItems) {
    const QStringList lines = {
        "Start:,12:01:01,,\"Startampel 1\"",
        "\"  Lap:\",\"2,02\",,",
        "Stopp:,\"say \"\"hi\"\"\",\"\",x",
        "\"unterminated, rest",
        QString("\"a") + QChar(0) + "b\",c",
        QString("a,") + QChar(0) + "b",
        "  a ,\tb,",
        "",
        "\"\"",
        "Start:,12:01:02,,\"Startampel 1\"",
    };
    CommaTextReader reader;
    for (int round = 0; round < 2; ++round) {
        for (const QString& line : lines) {
            bool whole = false, expectedWhole = false;
            EXPECT_EQ(reader.Read(line, whole), ParseCommaText(line, expectedWhole)) << qPrintable(line);
            EXPECT_EQ(whole, expectedWhole) << qPrintable(line);
        }
    }
    // Many different texts of the same shape compete for the reader's slots; none may come back
    // as another.
    for (int i = 0; i < 2000; ++i) {
        const QString item = QString("a%1").arg(i * 7919 % 2000);
        bool whole = false;
        ASSERT_EQ(reader.Read(item + ",\"" + item + "\"", whole), (QStringList{item, item}));
    }
    bool whole = false;
    const QStringList first = reader.Read(u"Start:,\"  Lap:\"", whole);
    const QStringList second = reader.Read(u"Start:,\"  Lap:\"", whole);
    EXPECT_EQ(first[0].constData(), second[0].constData());
    EXPECT_EQ(first[1].constData(), second[1].constData());
}

TEST(CommaTextReader, ReadsLinesOfChangingLengthAsParseCommaText) {
    // The reader reserves as many items as the line before held; lines longer, shorter and much
    // longer than their predecessor must still read whole.
    auto line = [](int items) {
        QStringList parts;
        for (int i = 0; i < items; ++i)
            parts << QString("\"c%1, x\"").arg(i);
        return parts.join(u',');
    };
    CommaTextReader reader;
    for (const int items : {4, 4, 1, 9, 200, 3, 65, 66, 2, 1000, 1, 4}) {
        const QString text = line(items);
        bool whole = false, expectedWhole = false;
        const QStringList read = reader.Read(text, whole);
        ASSERT_EQ(read.size(), items);
        EXPECT_EQ(read, ParseCommaText(text, expectedWhole)) << items << " items";
        EXPECT_TRUE(whole);
    }
}
