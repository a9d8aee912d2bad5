#include "core/TextLines.h"

#include <QString>
#include <QStringList>
#include <gtest/gtest.h>
#include <random>

namespace {

// The rule read one character at a time, as the splitter worked before it searched ahead.
QStringList LinesOneByOne(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r' && text[i] != u'\n')
            continue;
        lines << text.mid(start, i - start);
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines << text.mid(start);
    return lines;
}

QStringList Lines(const QString& text) {
    QStringList lines;
    ForEachTextLine(text, [&](QStringView line) { lines << line.toString(); });
    return lines;
}

} // namespace

TEST(TextLines, CutsAtEveryLineEndFormAsReadingCharacterByCharacterDoes) {
    EXPECT_EQ(Lines(""), QStringList());
    EXPECT_EQ(Lines("a"), QStringList{"a"});
    EXPECT_EQ(Lines("a\r\nb\rc\nd"), (QStringList{"a", "b", "c", "d"}));
    EXPECT_EQ(Lines("a\n\rb\r\r\n"), (QStringList{"a", "", "b", ""}));
    EXPECT_EQ(Lines("\r\n\n\r"), (QStringList{"", "", ""}));
    // Mixed line ends in every order and position: the splitter remembers where the next line feed
    // and carriage return stand, so each must be searched again exactly when passed.
    std::mt19937 rng(11);
    const QChar pieces[] = {u'a', u'b', u'\r', u'\n', u'\r', u'\n', QChar(0)};
    std::uniform_int_distribution<int> piece(0, 6), length(0, 60);
    for (int k = 0; k < 5000; ++k) {
        QString text;
        for (int i = length(rng); i > 0; --i)
            text += pieces[piece(rng)];
        ASSERT_EQ(Lines(text), LinesOneByOne(text)) << k;
    }
}
