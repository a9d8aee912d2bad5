#include "core/CommaText.h"
#include "core/EListError.h"
#include "sortgrid/ColorText.h"
#include "sortgrid/EConvertError.h"
#include "sortgrid/TFontList.h"
#include "sortgrid/TFontSetting.h"

#include <gtest/gtest.h>

TEST(ColorText, NamedColoursAndOthersAsEightUpperCaseHexDigits) {
    EXPECT_EQ(ColorToString(clBlack), "clBlack");
    EXPECT_EQ(ColorToString(clRed), "clRed");
    EXPECT_EQ(ColorToString(clBtnFace), "clBtnFace");
    EXPECT_EQ(ColorToString(0x404040), "$00404040");
    EXPECT_EQ(ColorToString(0x00ABCDEF), "$00ABCDEF");
    EXPECT_EQ(ColorToString(0xFF000001), "$FF000001");
}

TEST(ColorText, ReadsBackEveryTextItWritesAndCommonNumberForms) {
    for (TColor c : {clBlack, clWhite, clNavy, clHighlightText, TColor(0x404040), TColor(0x00ABCDEF),
                     TColor(0xFF000001), TColor(0xFFFFFFFF)})
        EXPECT_EQ(StringToColor(ColorToString(c)), c) << ColorToString(c).toStdString();
    EXPECT_EQ(StringToColor("clyellow"), clYellow);
    EXPECT_EQ(StringToColor("$ff"), TColor(0xFF));
    EXPECT_EQ(StringToColor("0x8000"), clGreen);
    EXPECT_EQ(StringToColor("4210752"), TColor(0x404040));
    EXPECT_EQ(StringToColor("-16777201"), clBtnFace);
}

TEST(ColorText, RejectsTextThatIsNoColour) {
    for (const char* bad : {"", "clBlau", "$", "$-1", "12ab", "$1FFFFFFFF", "x"})
        EXPECT_THROW(StringToColor(bad), EConvertError) << bad;
}

TEST(FontSetting, DefaultSettingIsBlackOnBlackWithoutStyleAndInactive) {
    TFontSetting s;
    EXPECT_EQ(s.FontColor(), clBlack);
    EXPECT_EQ(s.BackColor(), clBlack);
    EXPECT_FALSE(s.Bold() || s.Italic() || s.Underline() || s.Active());
    EXPECT_EQ(s.Text(), "clBlack,0,0,0,clBlack");
}

TEST(FontSetting, TextRoundTripKeepsColoursAndFlagsButNotActive) {
    TFontSetting s;
    s.setFontColor(clRed);
    s.setBackColor(0x123456);
    s.setItalic(true);
    s.setUnderline(true);
    s.setActive(true);
    EXPECT_EQ(s.Text(), "clRed,0,1,1,$00123456");

    TFontSetting back;
    back.setActive(true);
    back.setBold(true);
    back.setText(s.Text());
    EXPECT_EQ(back.FontColor(), clRed);
    EXPECT_EQ(back.BackColor(), TColor(0x123456));
    EXPECT_FALSE(back.Bold());
    EXPECT_TRUE(back.Italic());
    EXPECT_TRUE(back.Underline());
    EXPECT_FALSE(back.Active());

    // The text form survives being one quoted item of a longer comma-text line.
    const QString line = ToCommaText({"FontColSettings", s.Text(), TFontSetting().Text()});
    const QStringList items = ParseCommaText(line);
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(items[1], s.Text());
    EXPECT_EQ(items[2], "clBlack,0,0,0,clBlack");
}

TEST(FontSetting, AFlagIsSetOnlyByExactlyOne) {
    TFontSetting s;
    s.setText("clWhite, 1 ,true,01,clNavy");
    EXPECT_TRUE(s.Bold());
    EXPECT_FALSE(s.Italic());
    EXPECT_FALSE(s.Underline());
    EXPECT_EQ(s.FontColor(), clWhite);
    EXPECT_EQ(s.BackColor(), clNavy);
}

TEST(FontSetting, BadTextRaisesAndLeavesTheSettingAlone) {
    TFontSetting s;
    s.setFontColor(clLime);
    s.setBold(true);
    EXPECT_THROW(s.setText("clRed,1,1"), EConvertError);
    EXPECT_THROW(s.setText("clRed,0,0,0,nocolour"), EConvertError);
    EXPECT_EQ(s.FontColor(), clLime);
    EXPECT_TRUE(s.Bold());
}

TEST(FontList, ResizeAppendsDefaultsAndRemovesFromTheEndStoppingWhenEmpty) {
    TFontList list;
    ResizeFormatList(list, 3);
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(*list.Items(2), TFontSetting());
    list.Items(0)->setBold(true);
    ResizeFormatList(list, 0);
    EXPECT_EQ(list.Count(), 3);
    ResizeFormatList(list, -2);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_TRUE(list.Items(0)->Bold());
    ResizeFormatList(list, -5);
    EXPECT_EQ(list.Count(), 0);
}

TEST(FontList, EntriesKeepTheirAddressesAndARemovedPlaceComesBackAsADefault) {
    TFontList list;
    ResizeFormatList(list, 3);
    TFontSetting* first = list.Items(0);
    TFontSetting* last = list.Items(2);
    first->setBold(true);
    ResizeFormatList(list, 5000);
    list.Move(0, 4000);
    list.Exchange(1, 2);
    EXPECT_EQ(list.Items(4000), first);
    EXPECT_TRUE(first->Bold());
    EXPECT_EQ(list.Items(2), last);

    list.Items(2)->setItalic(true);
    list.Delete(2);
    const TFontSetting* added = list.Add();
    EXPECT_EQ(*added, TFontSetting());
    EXPECT_EQ(list.Items(list.Count() - 1), added);
    EXPECT_EQ(list.Count(), 5003);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(*list.Add(), TFontSetting());
}

TEST(FontList, MoveShiftsTheEntriesBetweenAndExchangeSwapsTwo) {
    TFontList list;
    ResizeFormatList(list, 4);
    for (int i = 0; i < 4; ++i)
        list.Items(i)->setFontColor(TColor(i));
    list.Move(3, 1);
    EXPECT_EQ(list.Items(0)->FontColor(), 0u);
    EXPECT_EQ(list.Items(1)->FontColor(), 3u);
    EXPECT_EQ(list.Items(2)->FontColor(), 1u);
    EXPECT_EQ(list.Items(3)->FontColor(), 2u);
    list.Exchange(0, 3);
    EXPECT_EQ(list.Items(0)->FontColor(), 2u);
    EXPECT_EQ(list.Items(3)->FontColor(), 0u);
    EXPECT_THROW(list.Items(4), EListError);
    EXPECT_THROW(list.Delete(-1), EListError);
}
