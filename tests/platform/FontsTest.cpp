// The designed font families and the metric-compatible ones they are drawn in.
#include "platform/Fonts.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <gtest/gtest.h>

using platform::FontSubstitute;

namespace {

QString substituteOf(const QList<FontSubstitute>& list, const char* designed, int* stretch = nullptr) {
    for (const FontSubstitute& s : list) {
        if (s.Designed == QLatin1String(designed)) {
            if (stretch)
                *stretch = s.Stretch;
            return s.Family;
        }
    }
    return QString();
}

} // namespace

TEST(DesignedFonts, LiberationFamiliesStandInForTheDesignedOnes) {
    const auto list = platform::designedFontSubstitutes(
        {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"), QStringLiteral("Liberation Mono"),
         QStringLiteral("Liberation Serif")});
    int stretch = 0;
    EXPECT_EQ(substituteOf(list, "Arial", &stretch), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(stretch, 100);
    EXPECT_EQ(substituteOf(list, "Courier New"), QStringLiteral("Liberation Mono"));
    EXPECT_EQ(substituteOf(list, "Times New Roman"), QStringLiteral("Liberation Serif"));
    EXPECT_EQ(substituteOf(list, "MS Sans Serif"), QStringLiteral("Liberation Sans"));
    // Without a narrow family Arial Narrow is Liberation Sans condensed to its widths.
    EXPECT_EQ(substituteOf(list, "Arial Narrow", &stretch), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(stretch, 82);
}

TEST(DesignedFonts, ANarrowFamilyOrTheDesignedFamilyItselfIsPreferred) {
    const auto list =
        platform::designedFontSubstitutes({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                                           QStringLiteral("liberation sans narrow")});
    EXPECT_TRUE(substituteOf(list, "Arial").isEmpty()); // installed: used as it is
    int stretch = 0;
    EXPECT_EQ(substituteOf(list, "Arial Narrow", &stretch), QStringLiteral("Liberation Sans Narrow"));
    EXPECT_EQ(stretch, 100);
}

TEST(DesignedFonts, NothingIsSubstitutedWhenNoCompatibleFamilyIsInstalled) {
    EXPECT_TRUE(platform::designedFontSubstitutes({QStringLiteral("DejaVu Sans")}).isEmpty());
    EXPECT_TRUE(platform::designedFontSubstitutes({}).isEmpty());
}

TEST(DesignedFonts, OnThisMachineArialResolvesToLiberationSansAndNarrowIsNarrower) {
    if (!QFontDatabase::families().contains(QStringLiteral("Liberation Sans")))
        GTEST_SKIP() << "fonts-liberation2 is not installed";
    platform::installDesignedFonts();
    QFont arial(QStringLiteral("Arial"));
    arial.setPixelSize(24);
    EXPECT_EQ(QFontInfo(arial).family(), QStringLiteral("Liberation Sans"));
    const QFont narrow = platform::designedFont(QStringLiteral("Arial Narrow"), 24);
    const QString text = QStringLiteral("08.12.26   09:05");
    const int wide = QFontMetrics(arial).horizontalAdvance(text);
    const int condensed = QFontMetrics(narrow).horizontalAdvance(text);
    EXPECT_LT(condensed, wide * 90 / 100);
    EXPECT_GT(condensed, wide * 75 / 100);
}
