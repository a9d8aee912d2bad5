#include "controls/ToColorCombo.h"
#include "controls/ColorComboGeometry.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

// Counts the OnChange and OnClick calls and the ColorValue each of them saw.
struct EventLog {
    QStringList calls;
    explicit EventLog(ToColorCombo& combo) {
        combo.OnChange = [this, &combo](QObject* sender) {
            EXPECT_EQ(sender, &combo);
            calls.append(QStringLiteral("change %1").arg(combo.ColorValue(), 0, 16));
        };
        combo.OnClick = [this, &combo](QObject*) {
            calls.append(QStringLiteral("click %1").arg(combo.ColorValue(), 0, 16));
        };
    }
};

ToColorCombo* dialogCombo(ToColorCombo& combo) {
    combo.setColorSet(clrPure | clrUser);
    combo.setColorUser(clBlack);
    combo.setDrawColorName(false);
    return &combo;
}

} // namespace

TEST(ToColorCombo, GroupsAppearInTheirOrderWithTheUserEntryLast) {
    ToColorCombo combo;
    ASSERT_EQ(combo.count(), 37);
    EXPECT_EQ(combo.itemText(0), "Black");
    EXPECT_EQ(combo.itemText(15), "White");
    EXPECT_EQ(combo.EntryColor(15), clWhite);
    EXPECT_EQ(combo.itemText(16), "ScrollBar");
    EXPECT_EQ(combo.EntryColor(16), 0xFF000000u);
    EXPECT_EQ(combo.itemText(36), "BtnHighlight");
    EXPECT_EQ(combo.EntryColor(36), 0xFF000014u);
    EXPECT_EQ(combo.currentIndex(), 0);

    combo.setColorSet(clrPure | clrUser);
    ASSERT_EQ(combo.count(), 17);
    EXPECT_EQ(combo.itemText(16), "Other...");
    EXPECT_EQ(combo.EntryColor(16), clWhite);

    combo.setColorSet(clrPure | clrCtrl | clrUser);
    EXPECT_EQ(combo.count(), 38);
    EXPECT_EQ(combo.itemText(37), "Other...");

    combo.setColorSet(ToColorSet());
    EXPECT_EQ(combo.ColorSet(), ToColorSet(clrUser));
    ASSERT_EQ(combo.count(), 1);
    EXPECT_EQ(combo.itemText(0), "Other...");
}

TEST(ToColorCombo, ChangingTheSetSelectsTheFirstEntryAndKeepsTheValue) {
    ToColorCombo combo;
    combo.setColorValue(clRed);
    combo.setColorSet(clrPure | clrUser);
    EXPECT_EQ(combo.currentIndex(), 0);
    EXPECT_EQ(combo.ColorValue(), clRed);
}

TEST(ToColorCombo, ValueSelectsTheFirstMatchingEntryElseTheUserEntry) {
    ToColorCombo combo;
    dialogCombo(combo);
    EventLog log(combo);

    combo.setColorValue(0x000000FF);
    EXPECT_EQ(combo.currentIndex(), 9);
    EXPECT_EQ(combo.itemText(9), "Red");
    EXPECT_EQ(log.calls, QStringList{"change ff"});

    combo.setColorValue(0x00404040);
    EXPECT_EQ(combo.currentIndex(), 16);
    EXPECT_EQ(combo.EntryColor(16), 0x00404040u);
    EXPECT_EQ(combo.ColorValue(), 0x00404040u);
    EXPECT_TRUE(combo.UserColorSelected());
    EXPECT_EQ(log.calls.size(), 2);

    combo.setColorValue(0x00404040);
    EXPECT_EQ(log.calls.size(), 2) << "the same value again does nothing";

    // A listed colour wins over the user entry even when that holds the same colour.
    combo.setColorUser(clWhite);
    EXPECT_EQ(combo.currentIndex(), 15);
    EXPECT_FALSE(combo.UserColorSelected());
    EXPECT_EQ(combo.EntryColor(16), 0x00404040u);
}

TEST(ToColorCombo, WithoutUserEntryUnknownColoursAndColorUserAreIgnored) {
    ToColorCombo combo;
    combo.setColorSet(ToColorSet(clrPure));
    EventLog log(combo);
    combo.setColorValue(clLime);
    combo.setColorValue(0x00404040);
    EXPECT_EQ(combo.ColorValue(), clLime);
    EXPECT_EQ(combo.currentIndex(), 10);
    combo.setColorUser(0x00123456);
    EXPECT_EQ(combo.ColorValue(), clLime);
    EXPECT_EQ(log.calls.size(), 1);

    // The last entry selected is not the user entry when there is none.
    combo.setCurrentIndex(combo.count() - 1);
    EXPECT_FALSE(combo.UserColorSelected());
}

TEST(ToColorCombo, PickingStoresTheValueBeforeClickThenFiresChange) {
    ToColorCombo combo;
    dialogCombo(combo);
    combo.setColorValue(0x00404040);
    EventLog log(combo);
    combo.setCurrentIndex(11);
    emit combo.activated(11);
    EXPECT_EQ(log.calls, (QStringList{"click ffff", "change ffff"}));
    EXPECT_EQ(combo.ColorValue(), clYellow);

    // Picking the user entry takes the colour it holds.
    log.calls.clear();
    combo.setCurrentIndex(16);
    emit combo.activated(16);
    EXPECT_EQ(combo.ColorValue(), 0x00404040u);
    EXPECT_EQ(log.calls, (QStringList{"click 404040", "change 404040"}));
}

TEST(ToColorCombo, FontChangeSetsTheItemHeightAndKeepsTheGroupsOnce) {
    ToColorCombo combo;
    dialogCombo(combo);
    combo.setColorValue(0x00404040);
    QFont f = combo.font();
    f.setPixelSize(20);
    combo.setFont(f);
    EXPECT_EQ(combo.ItemHeight(), 24);
    ASSERT_EQ(combo.count(), 17);
    EXPECT_EQ(combo.currentIndex(), 0);
    EXPECT_EQ(combo.ColorValue(), 0x00404040u);
    EXPECT_EQ(combo.EntryColor(16), 0x00404040u) << "the user entry keeps its colour";

    EXPECT_EQ(ColorItemHeight(11), 13);
    EXPECT_EQ(ColorItemHeight(15), 18);
    EXPECT_EQ(ColorItemHeight(8), 10);
}

TEST(ColorEntryLayout, SwatchAndNamePlaces) {
    const ColorEntryGeometry named = ColorEntryLayout(QRect(0, 10, 100, 16), true);
    EXPECT_EQ(named.Frame, QRect(2, 12, 22, 12));
    EXPECT_EQ(named.Swatch, QRect(3, 13, 20, 10));
    EXPECT_EQ(named.Text, QRect(28, 10, 72, 16));

    const ColorEntryGeometry bare = ColorEntryLayout(QRect(0, 0, 56, 22), false);
    EXPECT_EQ(bare.Frame, QRect(2, 2, 52, 18));
    EXPECT_EQ(bare.Swatch, QRect(3, 3, 50, 16));
    EXPECT_TRUE(bare.Text.isEmpty());
}

TEST(ToColorCombo, DrawnEntryShowsFrameSwatchAndOnlyWithNamesText) {
    ToColorCombo combo;
    combo.setColorValue(clRed);
    auto draw = [&](bool names) {
        combo.setDrawColorName(names);
        QImage image(100, 16, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        p.setBrush(QColor(Qt::green));
        p.setPen(Qt::black);
        combo.DrawItem(p, 9, image.rect());
        return image;
    };
    const QImage bare = draw(false);
    EXPECT_EQ(bare.pixelColor(1, 1), QColor(Qt::green)) << "background from the brush";
    EXPECT_EQ(bare.pixelColor(2, 2), QColor(Qt::black)) << "frame";
    EXPECT_EQ(bare.pixelColor(97, 13), QColor(Qt::black)) << "frame reaches 2 pixels before the right edge";
    EXPECT_EQ(bare.pixelColor(98, 13), QColor(Qt::green));
    EXPECT_EQ(bare.pixelColor(50, 8), QColor(Qt::red)) << "swatch";

    const QImage named = draw(true);
    EXPECT_EQ(named.pixelColor(23, 8), QColor(Qt::black)) << "frame's right edge";
    EXPECT_EQ(named.pixelColor(24, 8), QColor(Qt::green));
    bool textDrawn = false;
    for (int x = 28; x < 100 && !textDrawn; ++x)
        for (int y = 0; y < 16 && !textDrawn; ++y)
            textDrawn = named.pixelColor(x, y) != QColor(Qt::green);
    EXPECT_TRUE(textDrawn);
}
