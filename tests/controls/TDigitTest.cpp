#include "controls/TDigit.h"
#include "controls/DigitGeometry.h"

#include <QApplication>
#include <QImage>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Counts every paint the control actually performs.
class CountingDigit : public TDigit {
public:
    using TDigit::TDigit;
    int paints = 0;

protected:
    void paintEvent(QPaintEvent* event) override {
        ++paints;
        TDigit::paintEvent(event);
    }
};

// A digit like the main window's, shown and settled, with its paint counter reset.
struct ShownDigit {
    CountingDigit digit;
    ShownDigit() {
        digit.resize(45, 89);
        digit.setThickness(5);
        digit.setSeparation(1);
        digit.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&digit));
        QApplication::processEvents();
        digit.paints = 0;
    }
};

QColor pixel(TDigit& d, int x, int y) {
    return d.grab().toImage().pixelColor(x, y);
}

} // namespace

TEST(TDigit, NewControlShowsYellowZeroOnBlack) {
    TDigit d;
    EXPECT_EQ(d.width(), 16);
    EXPECT_EQ(d.height(), 32);
    EXPECT_EQ(d.Value(), 0);
    EXPECT_EQ(d.ValueBinary(), 125);
    EXPECT_EQ(d.ColorOn(), 0x00FFFFu);
    EXPECT_EQ(d.ColorOff(), 0u);
    EXPECT_EQ(d.Color(), 0u);
    EXPECT_EQ(d.Thickness(), 2);
    EXPECT_EQ(d.Separation(), 1);
    EXPECT_EQ(d.BorderStyle(), TBorderStyle::bsSingle);
    EXPECT_FALSE(d.OnOverflow);
    EXPECT_EQ(d.focusPolicy(), Qt::NoFocus);
    EXPECT_TRUE(d.testAttribute(Qt::WA_OpaquePaintEvent));

    // Declared defaults differ from the initial values for these three.
    EXPECT_EQ(TDigit::DefaultValueBinary, 0);
    EXPECT_EQ(TDigit::DefaultColorOn, 255u);
    EXPECT_EQ(TDigit::DefaultColorOff, 0x808080u);
}

TEST(TDigit, OutOfRangeValueShowsZeroAndFiresOverflowOnce) {
    for (int bad : {12, -1, 10, INT_MIN}) {
        SCOPED_TRACE(bad);
        TDigit d;
        d.setValue(3);
        int fired = 0;
        int valueSeenByHandler = -99;
        d.OnOverflow = [&](QObject* sender) {
            ++fired;
            EXPECT_EQ(sender, &d);
            valueSeenByHandler = d.Value();
        };
        d.setValue(bad);
        EXPECT_EQ(fired, 1);
        EXPECT_EQ(valueSeenByHandler, 0);
        EXPECT_EQ(d.Value(), 0);
        EXPECT_EQ(d.ValueBinary(), 125);
    }
}

TEST(TDigit, OverflowWithoutHandlerIsSilent) {
    TDigit d;
    d.setValue(7);
    d.setValue(99);
    EXPECT_EQ(d.Value(), 0);
    EXPECT_EQ(d.ValueBinary(), 125);
}

TEST(TDigit, OverflowOnControlAlreadyShowingZeroStillFiresAndRepaints) {
    ShownDigit s;
    int fired = 0;
    s.digit.OnOverflow = [&](QObject*) { ++fired; };
    s.digit.setValue(12);
    EXPECT_EQ(fired, 1);
    EXPECT_EQ(s.digit.paints, 1) << "repainted before setValue returned";
    EXPECT_EQ(s.digit.Value(), 0);
}

TEST(TDigit, ValueAndPatternAreStoredSeparately) {
    ShownDigit s;
    CountingDigit& d = s.digit;
    d.setValue(3);
    d.setValueBinary(0x80);
    EXPECT_EQ(d.Value(), 3);
    EXPECT_EQ(d.ValueBinary(), 0x80);

    // A different Value rewrites the pattern.
    d.setValue(5);
    EXPECT_EQ(d.ValueBinary(), 0x4F);

    // The same Value leaves a directly set pattern alone and draws nothing.
    d.setValueBinary(0x80);
    d.paints = 0;
    d.setValue(5);
    EXPECT_EQ(d.ValueBinary(), 0x80);
    EXPECT_EQ(d.paints, 0);
}

TEST(TDigit, ValueAndColourSettersRepaintAtOnceAndOnlyOnChange) {
    ShownDigit s;
    TDigit& d = s.digit;
    auto& paints = s.digit.paints;

    d.setValue(0);
    d.setValueBinary(d.ValueBinary());
    d.setColorOn(d.ColorOn());
    d.setColorOff(d.ColorOff());
    d.setColor(d.Color());
    d.setBorderStyle(d.BorderStyle());
    QApplication::processEvents();
    EXPECT_EQ(paints, 0) << "unchanged values must not redraw";

    d.setValue(8);
    EXPECT_EQ(paints, 1);
    d.setValueBinary(0x01);
    EXPECT_EQ(paints, 2);
    d.setColorOn(clDimDigit);
    EXPECT_EQ(paints, 3);
    d.setColorOff(clGray);
    EXPECT_EQ(paints, 4);
    d.setColor(clNavy);
    EXPECT_EQ(paints, 5);
    d.setBorderStyle(TBorderStyle::bsNone);
    EXPECT_EQ(paints, 6);
    EXPECT_EQ(d.ColorOn(), clDimDigit);
    EXPECT_EQ(d.ColorOff(), clGray);
    EXPECT_EQ(d.Color(), clNavy);
    EXPECT_EQ(d.BorderStyle(), TBorderStyle::bsNone);
}

TEST(TDigit, HiddenControlStoresButDoesNotPaint) {
    CountingDigit d;
    d.setValue(4);
    d.setColorOn(clLime);
    d.setValueBinary(0xFF);
    QApplication::processEvents();
    EXPECT_EQ(d.paints, 0);
    EXPECT_EQ(d.Value(), 4);
    EXPECT_EQ(d.ColorOn(), clLime);
    EXPECT_EQ(d.ValueBinary(), 0xFF);
}

TEST(TDigit, ThicknessMustFitHalfTheCurrentSize) {
    TDigit d;
    d.resize(45, 89);
    d.setThickness(23);
    EXPECT_EQ(d.Thickness(), 2) << "45 div 2 = 22";
    d.setThickness(22);
    EXPECT_EQ(d.Thickness(), 22);

    // The height limits too: 89 div 2 = 44 on a wide control.
    d.resize(200, 89);
    d.setThickness(45);
    EXPECT_EQ(d.Thickness(), 22);
    d.setThickness(44);
    EXPECT_EQ(d.Thickness(), 44);

    // Shrinking later keeps a thickness that no longer fits, and painting still works.
    d.resize(10, 10);
    EXPECT_EQ(d.Thickness(), 44);
    EXPECT_FALSE(d.grab().isNull());
}

TEST(TDigit, ThicknessAndSeparationRepaintAtTheNextPaintCycle) {
    ShownDigit s;
    TDigit& d = s.digit;
    d.setThickness(5); // equal value: still accepted and scheduled
    d.setSeparation(-3);
    EXPECT_EQ(d.Separation(), -3);
    EXPECT_EQ(s.digit.paints, 0) << "not drawn synchronously";
    QApplication::processEvents();
    EXPECT_GE(s.digit.paints, 1);

    s.digit.paints = 0;
    d.setThickness(40); // rejected: nothing scheduled
    QApplication::processEvents();
    EXPECT_EQ(s.digit.paints, 0);
    EXPECT_EQ(d.Thickness(), 5);
}

// Rendering follows the geometry: lit segments in ColorOn, unlit in ColorOff, each outlined in the
// background colour, and the background everywhere else.
TEST(TDigit, PaintsSegmentsInTheirColoursOverTheBackground) {
    TDigit d;
    d.resize(45, 89);
    d.setThickness(5);
    d.setSeparation(1);
    d.setColor(clNavy);
    d.setColorOff(clGray);
    d.setColorOn(clYellow);
    d.setValue(1);

    const QColor on = ColorToQColor(clYellow);
    const QColor off = ColorToQColor(clGray);
    const QColor bg = ColorToQColor(clNavy);

    QImage img = d.grab().toImage();
    EXPECT_EQ(img.size(), QSize(45, 89));
    EXPECT_EQ(img.pixelColor(22, 5), off) << "top bar";
    EXPECT_EQ(img.pixelColor(22, 44), off) << "middle bar";
    EXPECT_EQ(img.pixelColor(5, 25), off) << "upper-left post";
    EXPECT_EQ(img.pixelColor(39, 25), on) << "upper-right post";
    EXPECT_EQ(img.pixelColor(39, 64), on) << "lower-right post";
    EXPECT_EQ(img.pixelColor(42, 86), off) << "corner dot";
    EXPECT_EQ(img.pixelColor(1, 1), bg) << "outside every segment";
    EXPECT_EQ(img.pixelColor(22, 0), bg) << "top bar's upper edge is outlined";
    EXPECT_EQ(img.pixelColor(44, 25), bg) << "right post's outer edge is outlined";

    d.setValueBinary(0x80);
    img = d.grab().toImage();
    EXPECT_EQ(img.pixelColor(42, 86), on) << "corner dot lit";
    EXPECT_EQ(img.pixelColor(39, 25), off);

    // Separation and thickness move the segments: a thinner bar leaves the old inner row unlit.
    d.setValueBinary(DigitSegment::Top);
    d.setThickness(2);
    img = d.grab().toImage();
    EXPECT_EQ(img.pixelColor(22, 2), on);
    EXPECT_EQ(img.pixelColor(22, 8), bg);
}

TEST(TDigit, SystemColoursAreResolvedThroughThePalette) {
    TDigit d;
    d.setColor(clBtnFace);
    d.setValueBinary(0);
    EXPECT_EQ(pixel(d, 1, 1), ColorToQColor(clBtnFace));
}
