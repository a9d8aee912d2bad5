// The shell's window-free parts: names from the program file, the date panel's text, the close
// rule, the top bar's geometry and the logo.
#include "app/window/ShellLayout.h"
#include "app/window/ProgramNames.h"
#include "app/window/TLogo.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(ProgramNames, AllNamesFollowTheProgramFile) {
    const ProgramNames v = ProgramNamesOf(QStringLiteral("/usr/local/bin/vantro"));
    EXPECT_EQ(v.Title, QStringLiteral("vantro"));
    EXPECT_EQ(v.RegistryKey, QStringLiteral("\\Software\\vantro"));
    EXPECT_EQ(v.DefaultDocument, QStringLiteral("/usr/local/bin/vantro.doc"));
    EXPECT_EQ(v.HelpFile, QStringLiteral("/usr/local/bin/vantro.html"));
    EXPECT_EQ(v.DialogFolder, QStringLiteral("/usr/local/bin"));

    // Renamed, the key, the help page and the document move together.
    const ProgramNames k = ProgramNamesOf(QStringLiteral("/opt/club/kartex"));
    EXPECT_EQ(k.Title, QStringLiteral("kartex"));
    EXPECT_EQ(k.RegistryKey, QStringLiteral("\\Software\\kartex"));
    EXPECT_EQ(k.DefaultDocument, QStringLiteral("/opt/club/kartex.doc"));
    EXPECT_EQ(k.HelpFile, QStringLiteral("/opt/club/kartex.html"));
}

TEST(ProgramNames, OnlyTheLastExtensionOfTheFileNameIsReplaced) {
    // A program file with an extension loses it; dots in folders and a leading dot do not count.
    const ProgramNames e = ProgramNamesOf(QStringLiteral("/opt/v1.2/kart.timer.bin"));
    EXPECT_EQ(e.Title, QStringLiteral("kart.timer"));
    EXPECT_EQ(e.HelpFile, QStringLiteral("/opt/v1.2/kart.timer.html"));
    EXPECT_EQ(e.DialogFolder, QStringLiteral("/opt/v1.2"));
    EXPECT_EQ(ChangeFileExt(QStringLiteral("/opt/v1.2/vantro"), QStringLiteral(".doc")),
              QStringLiteral("/opt/v1.2/vantro.doc"));
    EXPECT_EQ(ChangeFileExt(QStringLiteral("/home/u/.vantro"), QStringLiteral(".html")),
              QStringLiteral("/home/u/.vantro.html"));
}

TEST(ProgramNames, AFileBesideTheProgramWinsOverTheInstalledCopy) {
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    ASSERT_TRUE(QDir(root.path()).mkpath(QStringLiteral("bin")));
    ASSERT_TRUE(QDir(root.path()).mkpath(QStringLiteral("share/kartex")));
    const QString beside = root.filePath(QStringLiteral("bin/kartex.html"));
    const QString installed = root.filePath(QStringLiteral("share/kartex/kartex.html"));

    // Neither: the place beside the program, so a message can name it.
    EXPECT_EQ(LocateProgramFile(beside, QStringLiteral("kartex")), beside);
    EXPECT_EQ(ProgramFileCandidates(beside, QStringLiteral("kartex")).mid(0, 2),
              (QStringList{beside, installed}));

    QFile inst(installed);
    ASSERT_TRUE(inst.open(QIODevice::WriteOnly));
    inst.close();
    EXPECT_EQ(LocateProgramFile(beside, QStringLiteral("kartex")), installed);

    QFile own(beside);
    ASSERT_TRUE(own.open(QIODevice::WriteOnly));
    own.close();
    EXPECT_EQ(LocateProgramFile(beside, QStringLiteral("kartex")), beside);
}

TEST(DatePanelText, ShortDateThreeSpacesShortTimeOfTheLocale) {
    const QDateTime now(QDate(2026, 12, 7), QTime(22, 15, 59));
    // Seconds are not shown: the panel changes with the minute.
    EXPECT_EQ(ShellLayout::DatePanelText(now, QLocale(QLocale::German, QLocale::Germany)),
              QStringLiteral("07.12.26   22:15"));
    EXPECT_EQ(ShellLayout::DatePanelText(now, QLocale(QLocale::English, QLocale::UnitedKingdom)),
              QStringLiteral("07/12/2026   22:15"));
    // A short time format with seconds loses them, also in a twelve-hour format.
    EXPECT_TRUE(ShellLayout::DatePanelText(now, QLocale::c()).endsWith(QStringLiteral("   22:15")));
    EXPECT_TRUE(ShellLayout::DatePanelText(now, QLocale(QLocale::English, QLocale::UnitedStates))
                    .contains(QStringLiteral("   10:15")));
}

TEST(CloseConfirmation, AskedDuringARunOrWithMoreThanOneProtocolLine) {
    using ShellLayout::CloseNeedsConfirmation;
    EXPECT_FALSE(CloseNeedsConfirmation(false, 1)); // header only
    EXPECT_FALSE(CloseNeedsConfirmation(false, 2)); // header and one line
    EXPECT_TRUE(CloseNeedsConfirmation(false, 3));  // after a START: two lines
    EXPECT_TRUE(CloseNeedsConfirmation(true, 2));   // run under way
}

TEST(TopBarLayout, DatePanelKeepsItsDistanceFromTheRightEdgeAndTheStatusRoomFillsTheGap) {
    using namespace ShellLayout;
    for (int width : {831, 804, 1280}) {
        const QRect date = DatePanelRect(width);
        EXPECT_EQ(date.size(), QSize(222, 32));
        EXPECT_EQ(width - 1 - date.right(), DatePanelRightMargin) << width;
        const QRect status = StatusSlotRect(width, 400);
        EXPECT_EQ(status.left(), 408);
        EXPECT_EQ(status.right() + 1 + StatusGap, date.left()) << width;
    }
    EXPECT_TRUE(StatusSlotRect(500, 400).isEmpty());
}

TEST(TopBarLayout, BarrierStatusTakesTheLogosRoomBeforeItIsCutShort) {
    using namespace ShellLayout;
    constexpr int logo = 120;
    struct Case {
        int barWidth, textWidth;
        bool logoShown, elided;
    };
    for (const Case& c :
         {Case{1280, 280, true, false}, Case{831, 100, true, false}, Case{831, 280, false, false},
          Case{804, 250, false, false}, Case{804, 400, false, true}}) {
        const BarrierStatusPlace p = PlaceBarrierStatus(c.barWidth, c.textWidth, logo);
        EXPECT_EQ(p.rect.right() + 1 + StatusGap, DatePanelRect(c.barWidth).left()) << c.barWidth;
        EXPECT_GT(p.rect.left(), ExitButton.right() + StatusGap - 1);
        EXPECT_EQ(p.logoShown, c.logoShown) << c.barWidth << " " << c.textWidth;
        EXPECT_EQ(p.elided, c.elided) << c.barWidth << " " << c.textWidth;
        if (p.logoShown) {
            EXPECT_GE(p.rect.left(), LogoLeft + logo + StatusGap);
        }
        if (!p.elided) {
            EXPECT_GE(p.rect.width(), c.textWidth + BarrierStatusPadding);
        }
    }
}

TEST(TopBarLayout, MinimumHeightShowsTheWholeStaircaseWhereTheDesignedOneCutRESETOff) {
    using namespace ShellLayout;
    const int resetBottom = TopBarHeight + InputAreaTop + StaircaseBottom;
    EXPECT_GT(resetBottom, DesignedMinimumSize.height());
    EXPECT_GE(MinimumClientSize.height(), resetBottom);
    EXPECT_LE(MinimumClientSize.height(), resetBottom + 4); // just enough, not more
    EXPECT_EQ(MinimumClientSize.width(), DesignedMinimumSize.width());
}

TEST(Logo, RedThenGreenHalfEachOverABlackShadowTwoPixelsRightAndDown) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(27);
    font.setBold(true);
    const QList<LogoPiece> p = LogoPieces(QStringLiteral("Vantro"), font);
    ASSERT_EQ(p.size(), 4);
    EXPECT_EQ(p[0].Text, QStringLiteral("Van"));
    EXPECT_EQ(p[0].Color, QColor(Qt::black));
    EXPECT_EQ(p[1].Text, QStringLiteral("Van"));
    EXPECT_EQ(p[1].Color, QColor(255, 0, 0));
    EXPECT_EQ(p[0].Baseline - p[1].Baseline, QPoint(2, 2));
    EXPECT_EQ(p[2].Text, QStringLiteral("tro"));
    EXPECT_EQ(p[2].Color, QColor(Qt::black));
    EXPECT_EQ(p[3].Color, QColor(0, 128, 0));
    EXPECT_EQ(p[2].Baseline - p[3].Baseline, QPoint(2, 2));
    // The green half starts where the red one ends.
    EXPECT_EQ(p[3].Baseline.x(), QFontMetrics(font).horizontalAdvance(QStringLiteral("Van")));
    EXPECT_EQ(p[3].Baseline.y(), p[1].Baseline.y());
}

TEST(Logo, PaintsRedLeftOfGreenWithBlackShadowPixels) {
    TLogo logo(QStringLiteral("Vantro"));
    QImage image(logo.size(), QImage::Format_ARGB32);
    image.fill(Qt::white);
    logo.render(&image);
    int redRight = -1, greenLeft = image.width(), black = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            if (c == qRgb(255, 0, 0))
                redRight = std::max(redRight, x);
            else if (c == qRgb(0, 128, 0))
                greenLeft = std::min(greenLeft, x);
            else if (c == qRgb(0, 0, 0))
                ++black;
        }
    }
    EXPECT_GE(redRight, 0);
    EXPECT_LT(greenLeft, image.width());
    EXPECT_LT(redRight, greenLeft + 4); // halves meet without overlapping much
    EXPECT_GT(black, 20);
}
