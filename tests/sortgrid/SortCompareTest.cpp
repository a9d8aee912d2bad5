#include "sortgrid/SortCompare.h"
#include "sortgrid/SortGridGeometry.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

int Sgn(int v) {
    return v < 0 ? -1 : (v > 0 ? 1 : 0);
}

SortLocale German() {
    SortLocale l;
    l.DecimalSeparator = u',';
    l.DateSeparator = u'.';
    l.TimeSeparator = u':';
    l.Order = SortLocale::DateOrder::DMY;
    l.CurrentYear = 2026;
    return l;
}

} // namespace

TEST(SortCompare, TextComparesCodeUnitsWithTheEndAsZeroAndStopsAtAZeroCharacter) {
    EXPECT_LT(CompareText(u"Abc", u"abc"), 0);
    EXPECT_LT(CompareText(u"ab", u"abc"), 0);
    EXPECT_GT(CompareText(QStringLiteral("Ä"), u"z"), 0);
    EXPECT_EQ(CompareText(u"", u""), 0);
    EXPECT_EQ(CompareText(QStringView(u"ab\0x", 4), u"ab"), 0);
    EXPECT_EQ(LowerAsciiLetters(QStringLiteral("ÄBc-Z")), QStringLiteral("Äbc-z"));
}

TEST(SortCompare, TheDefaultLocaleOfTheTestsGivesGermanSeparatorsAndOrder) {
    const SortLocale l = SortLocale::FromDefault();
    EXPECT_EQ(l.DecimalSeparator, u',');
    EXPECT_EQ(l.DateSeparator, u'.');
    EXPECT_EQ(l.TimeSeparator, u':');
    EXPECT_EQ(l.Order, SortLocale::DateOrder::DMY);
}

TEST(SortCompare, FloatConversionTakesTheLocaleSeparatorSignExponentAndBlanksOnly) {
    const SortLocale l = German();
    double v = 0;
    ASSERT_TRUE(TextToFloat(u"  12,5 ", l, v));
    EXPECT_DOUBLE_EQ(v, 12.5);
    ASSERT_TRUE(TextToFloat(u"-1,5e2", l, v));
    EXPECT_DOUBLE_EQ(v, -150);
    ASSERT_TRUE(TextToFloat(u"+,5", l, v));
    EXPECT_DOUBLE_EQ(v, 0.5);
    for (const char16_t* bad : {u"", u" ", u"12.5", u"1.000,5", u"x", u"1e", u"nan", u"inf", u"1 2", u","})
        EXPECT_FALSE(TextToFloat(bad, l, v)) << QString::fromUtf16(bad).toStdString();
}

TEST(SortCompare, TimeAndDateTimeConversions) {
    const SortLocale l = German();
    double a = 0, b = 0;
    ASSERT_TRUE(TextToTime(u"9:05", l, a));
    EXPECT_DOUBLE_EQ(a, (9 * 60 + 5) * 60000.0);
    ASSERT_TRUE(TextToTime(u" 09:05:30,25 ", l, a));
    EXPECT_DOUBLE_EQ(a, ((9 * 60 + 5) * 60 + 30) * 1000.0 + 250);
    ASSERT_TRUE(TextToTime(u"12:00 AM", l, a));
    EXPECT_DOUBLE_EQ(a, 0);
    for (const char16_t* bad : {u"", u"9", u"24:00", u"9:60", u"9:05:61", u"9.05", u"12:34.56", u"1.1.2020"})
        EXPECT_FALSE(TextToTime(bad, l, a)) << QString::fromUtf16(bad).toStdString();

    ASSERT_TRUE(TextToDateTime(u"31.12.2025", l, a));
    ASSERT_TRUE(TextToDateTime(u"1.1.26 08:00", l, b));
    EXPECT_DOUBLE_EQ(b - a, 86400000.0 + 8 * 3600000.0);
    // A time alone lies on the zero day, before every date of our time.
    ASSERT_TRUE(TextToDateTime(u"23:59", l, b));
    EXPECT_LT(b, a);
    // Two-digit years fall into the window around the current year.
    ASSERT_TRUE(TextToDateTime(u"1.1.80", l, a));
    ASSERT_TRUE(TextToDateTime(u"1.1.1980", l, b));
    EXPECT_DOUBLE_EQ(a, b);
    for (const char16_t* bad : {u"", u"31.2.2025", u"1/1/2025", u"1.1.2025 x", u"13.13.13", u"1"})
        EXPECT_FALSE(TextToDateTime(bad, l, a)) << QString::fromUtf16(bad).toStdString();
}

TEST(SortCompare, StyledComparisonsFallBackToTextWhenEitherTextDoesNotConvert) {
    const SortLocale l = German();
    EXPECT_LT(CompareNumeric("9", "10", l), 0);
    EXPECT_EQ(CompareNumeric("1,50", " 1,5", l), 0);
    // '10' against 'x' by text: '1' < 'x'; '9' against '10x' by text: '9' > '1'.
    EXPECT_LT(CompareNumeric("10", "x", l), 0);
    EXPECT_GT(CompareNumeric("9", "10x", l), 0);
    EXPECT_GT(CompareDateTime("2.1.2025", "10.1.2024 10:00", l), 0);
    EXPECT_LT(CompareDateTime("9.1.2025", "10.1.2025", l), 0);
    EXPECT_GT(CompareDateTime("9.1.2025", "10.1.x", l), 0); // by text
    EXPECT_LT(CompareTime("9:00", "10:00", l), 0);
    EXPECT_GT(CompareTime("9:00", "10:00 Uhr", l), 0); // by text
}

TEST(SortCompare, NumericExtendedComparesTheNumbersLeftAfterSharedCharacters) {
    EXPECT_EQ(CompareNumericExtended("12kg", "9kg"), 1);
    EXPECT_EQ(CompareNumericExtended("9kg", "12kg"), -1);
    EXPECT_EQ(CompareNumericExtended("Lauf 2", "Lauf 10"), -1);
    EXPECT_EQ(CompareNumericExtended("Lauf 10", "Lauf 2"), 1);
    EXPECT_EQ(CompareNumericExtended("12 km/h", "9 km/h"), 1);
    EXPECT_EQ(CompareNumericExtended("", "1"), -1);
    EXPECT_EQ(CompareNumericExtended("1", ""), 1);
    EXPECT_EQ(CompareNumericExtended("", ""), 0);
    EXPECT_EQ(CompareNumericExtended("abc", "abc"), 0);
    // Equal numbers written differently are equal, in both directions.
    EXPECT_EQ(CompareNumericExtended("07", "7"), 0);
    EXPECT_EQ(CompareNumericExtended("7", "07"), 0);
    EXPECT_EQ(CompareNumericExtended("Lauf 07", "Lauf 7"), 0);
    // What is left is not a number: by text.
    EXPECT_LT(CompareNumericExtended("Lauf a", "Lauf b"), 0);
}

TEST(SortCompare, KeyColumnsMatchThePlainComparisonsInEveryStyle) {
    const SortLocale l = German();
    const std::vector<QString> texts{"10", "9",  "x",    "",      "Lauf 2",   "Lauf 10",   "1,5",
                                     "B",  "a",  "9:30", "10:00", "1.2.2025", "31.1.2025", "ÄB",
                                     "z",  "-3", "1e1",  "07",    "7"};
    const int n = int(texts.size());
    for (TSortStyle style : {ssNormal, ssNumeric, ssNumericExtended, ssDateTime, ssTime, ssAutomatic}) {
        for (bool caseSensitive : {false, true}) {
            SortKeyColumn key(texts, style, sdAscending, caseSensitive, {}, l);
            for (int a = 0; a < n; ++a)
                for (int b = 0; b < n; ++b) {
                    const QString A = caseSensitive ? texts[a] : LowerAsciiLetters(texts[a]);
                    const QString B = caseSensitive ? texts[b] : LowerAsciiLetters(texts[b]);
                    int expected = 0;
                    switch (style) {
                    case ssNumeric:
                        expected = CompareNumeric(A, B, l);
                        break;
                    case ssNumericExtended:
                        expected = CompareNumericExtended(A, B);
                        break;
                    case ssDateTime:
                        expected = CompareDateTime(A, B, l);
                        break;
                    case ssTime:
                        expected = CompareTime(A, B, l);
                        break;
                    default:
                        expected = CompareText(A, B);
                    }
                    ASSERT_EQ(Sgn(key.CompareRows(a, b)), Sgn(expected))
                        << style << " " << A.toStdString() << " / " << B.toStdString();
                }
        }
    }
}

TEST(SortCompare, CustomStyleUsesTheFunctionOnCaseMappedTextsOrTextWithoutOne) {
    const std::vector<QString> texts{"B", "a", "C"};
    QStringList seen;
    SortKeyColumn byLength(
        texts, ssCustom, sdAscending, false,
        [&](const QString& a, const QString& b) {
            seen << a << b;
            return 0;
        },
        German());
    EXPECT_EQ(byLength.CompareRows(0, 2), 0);
    EXPECT_EQ(seen, (QStringList{"b", "c"}));
    SortKeyColumn none(texts, ssCustom, sdAscending, true, {}, German());
    EXPECT_LT(none.CompareRows(0, 1), 0); // 'B' < 'a' by code unit
}

TEST(SortCompare, RowOrderIsStableInBothDirectionsAndUsesLaterKeysForTies) {
    const std::vector<QString> primary{"b", "a", "b", "a"};
    const std::vector<QString> second{"2", "2", "1", "1"};
    SortKeyColumn p(primary, ssNormal, sdAscending, false, {}, German());
    SortKeyColumn pDown(primary, ssNormal, sdDescending, false, {}, German());
    SortKeyColumn s(second, ssNumeric, sdAscending, false, {}, German());
    EXPECT_EQ(SortRowOrder(4, {&p}), (std::vector<int32_t>{1, 3, 0, 2}));
    EXPECT_EQ(SortRowOrder(4, {&pDown}), (std::vector<int32_t>{0, 2, 1, 3}));
    EXPECT_EQ(SortRowOrder(4, {&p, &s}), (std::vector<int32_t>{3, 1, 2, 0}));
    EXPECT_TRUE(SortRowOrder(0, {&p}).empty());
}

// --- header rules and geometry --------------------------------------------------------------

TEST(SortHeader, ClickDirectionTable) {
    struct Case {
        TSortDirection current;
        bool same;
        Qt::MouseButton button;
        TSortDirection expected;
    };
    const Case cases[] = {
        {sdAscending, false, Qt::LeftButton, sdAscending},
        {sdAscending, true, Qt::LeftButton, sdDescending},
        {sdDescending, false, Qt::LeftButton, sdAscending},
        {sdDescending, true, Qt::LeftButton, sdAscending},
        {sdAscending, false, Qt::RightButton, sdDescending},
        {sdAscending, true, Qt::RightButton, sdDescending},
        {sdDescending, true, Qt::RightButton, sdDescending},
    };
    for (const Case& c : cases)
        EXPECT_EQ(HeaderClickDirection(c.current, c.same, c.button), c.expected)
            << c.current << c.same << c.button;
}

TEST(SortHeader, SortZoneLeavesFivePixelsAtEachEdgeToSizing) {
    EXPECT_FALSE(IsHeaderSortZone(104, 100, 160));
    EXPECT_TRUE(IsHeaderSortZone(105, 100, 160));
    EXPECT_TRUE(IsHeaderSortZone(154, 100, 160));
    EXPECT_FALSE(IsHeaderSortZone(155, 100, 160));
}

TEST(SortHeader, DoubleClickNearAnEdgeSizesTheColumnLeftOfThatEdge) {
    EXPECT_EQ(HeaderEdgeAutoSizeColumn(158, 2, 100, 160, 1), 2);
    EXPECT_EQ(HeaderEdgeAutoSizeColumn(101, 2, 100, 160, 1), 1);
    EXPECT_EQ(HeaderEdgeAutoSizeColumn(101, 0, 0 + 100, 160, 1), -1);
    EXPECT_EQ(HeaderEdgeAutoSizeColumn(130, 2, 100, 160, 1), -1);
}

TEST(SortHeader, IndicatorGeometry) {
    EXPECT_EQ(SortIndicatorRect(60, 22, 60), QRect(63, 7, 8, 7));
    EXPECT_EQ(SortIndicatorRect(60, 23, 10), QRect(63, 7, 7, 7));
    EXPECT_EQ(HeaderTextRoom(60, false), 59);
    EXPECT_EQ(HeaderTextRoom(60, true), 48);
}

TEST(SortHeader, ShorteningEndsInTwoDotsAndNeverShortensOneCharacter) {
    const auto width = [](const QString& s) { return int(s.size()) * 10; };
    EXPECT_EQ(ShortenHeaderText("Speed", 50, width), "Speed");
    EXPECT_EQ(ShortenHeaderText("Speed", 49, width), "Sp..");
    EXPECT_EQ(ShortenHeaderText("Speed", 39, width), "S..");
    const auto narrowDots = [](const QString& s) { return int(s.size() * 10 - s.count(u'.') * 7); };
    EXPECT_EQ(ShortenHeaderText("Speed", 40, narrowDots), "Spe..");
    EXPECT_EQ(ShortenHeaderText("Speed", 0, width), "S..");
    EXPECT_EQ(ShortenHeaderText("X", 0, width), "X");
    EXPECT_EQ(ShortenHeaderText("Ab", 5, width), "..");
}

TEST(SortHeader, FirstCharacterSearchGoesOnFromTheCurrentRowAndWraps) {
    const QStringList col{"Head", "anna", "", "Bert", "andreas", "Ärger"};
    const auto text = [&](int32_t r) { return col[r]; };
    EXPECT_EQ(FindRowByFirstChar(u'a', 1, 6, text), 4);
    EXPECT_EQ(FindRowByFirstChar(u'A', 4, 6, text), 1);
    EXPECT_EQ(FindRowByFirstChar(u'a', 1, 2, text), 1); // only the current row matches
    EXPECT_EQ(FindRowByFirstChar(u'x', 1, 6, text), -1);
    EXPECT_EQ(FindRowByFirstChar(u'h', 1, 6, text), -1);        // the header row is never searched
    EXPECT_EQ(FindRowByFirstChar(QChar(0xE4), 1, 6, text), -1); // 'ä' is not mapped to 'Ä'
}

TEST(SortHeader, BlankedStripReachesPastTheCellByTheGridWidth) {
    EXPECT_EQ(BlankedRowStrip(QRect(10, 20, 60, 22), 300), QRect(QPoint(10, 20), QPoint(10 + 59 + 301, 42)));
}
