#include "controls/ButtonWithColor.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace {

using enum TBitBtnWithColorKind;

QImage strip(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

// A caption font without antialiasing, so every caption pixel is exactly one colour.
QFont crispFont() {
    QFont f;
    f.setPixelSize(19);
    f.setBold(true);
    f.setStyleStrategy(QFont::NoAntialias);
    return f;
}

using Pixels = std::set<std::pair<int, int>>;

// The pixels of `image` inside `area` that have exactly colour `c`.
Pixels pixelsOf(const QImage& image, QRgb c, const QRect& area) {
    Pixels found;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) == (c & 0xFFFFFF))
                found.insert({x, y});
    return found;
}

QRgb rgb(TColor c) {
    return ColorToQColor(c).rgb();
}

void sendMouse(QWidget* w, QEvent::Type type, Qt::MouseButton button) {
    const QPointF pos(w->width() / 2, w->height() / 2);
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, pos, w->mapToGlobal(pos), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

} // namespace

TEST(TBitBtnWithColor, NumGlyphsFollowsTheStripAndStaysWithinOneToFour) {
    TBitBtnWithColor b;
    b.setGlyph(strip(72, 18));
    EXPECT_EQ(b.NumGlyphs(), 4);
    b.setGlyph(strip(36, 18));
    EXPECT_EQ(b.NumGlyphs(), 2);
    b.setGlyph(strip(90, 18)); // five images is more than a strip holds: one wide image
    EXPECT_EQ(b.NumGlyphs(), 1);

    b.setNumGlyphs(3);
    b.setGlyph(strip(40, 18)); // not a whole multiple: the count stays
    EXPECT_EQ(b.NumGlyphs(), 3);
    b.setGlyph(QImage()); // no glyph: nothing to divide by
    EXPECT_EQ(b.NumGlyphs(), 3);

    b.setNumGlyphs(7);
    EXPECT_EQ(b.NumGlyphs(), 4);
    b.setNumGlyphs(0);
    EXPECT_EQ(b.NumGlyphs(), 1);
}

TEST(TBitBtnWithColor, MarginBelowMinusOneIsIgnored) {
    TBitBtnWithColor b;
    b.setMargin(5);
    b.setMargin(-2);
    EXPECT_EQ(b.Margin(), 5);
    b.setMargin(INT_MIN);
    EXPECT_EQ(b.Margin(), 5);
    b.setMargin(-1);
    EXPECT_EQ(b.Margin(), -1);
    b.setSpacing(-7); // spacing takes any value
    EXPECT_EQ(b.Spacing(), -7);
}

TEST(TBitBtnWithColor, EveryPresetSetsItsRowOfTheTable) {
    struct Row {
        TBitBtnWithColorKind kind;
        bool isDefault, cancel;
        int modalResult;
    } const rows[] = {
        {bkOK, true, false, 1},     {bkCancel, false, true, 2}, {bkHelp, false, false, 0},
        {bkYes, true, false, 6},    {bkNo, false, true, 7},     {bkClose, false, false, 0},
        {bkAbort, false, false, 3}, {bkRetry, false, false, 4}, {bkIgnore, false, false, 5},
        {bkAll, false, false, 8},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(int(r.kind));
        TBitBtnWithColor b;
        b.setNumGlyphs(4);
        b.setKind(r.kind);
        EXPECT_EQ(b.Kind(), r.kind);
        EXPECT_EQ(b.Default(), r.isDefault);
        EXPECT_EQ(b.Cancel(), r.cancel);
        EXPECT_EQ(b.ModalResult(), r.modalResult);
        EXPECT_EQ(b.NumGlyphs(), 2);
        EXPECT_EQ(b.Glyph(), KindGlyph(r.kind).convertToFormat(QImage::Format_RGB32));
        EXPECT_EQ(b.Glyph().width(), 36);
        EXPECT_FALSE(b.text().isEmpty());
    }
}

TEST(TBitBtnWithColor, PresetReadsBackCustomOnceItsSettingsChange) {
    auto changes = std::initializer_list<std::pair<const char*, std::function<void(TBitBtnWithColor&)>>>{
        {"Color", [](TBitBtnWithColor& b) { b.setColor(clRed); }},
        {"Default", [](TBitBtnWithColor& b) { b.setDefault(false); }},
        {"Cancel", [](TBitBtnWithColor& b) { b.setCancel(true); }},
        {"ModalResult", [](TBitBtnWithColor& b) { b.setModalResult(2); }},
        {"Glyph", [](TBitBtnWithColor& b) { b.setGlyph(strip(16, 16)); }},
    };
    for (const auto& [what, change] : changes) {
        SCOPED_TRACE(what);
        TBitBtnWithColor b;
        b.setKind(bkOK);
        change(b);
        EXPECT_EQ(b.Kind(), bkCustom);
        // Choosing the preset again applies it afresh.
        b.setKind(bkOK);
        EXPECT_EQ(b.Kind(), bkOK);
        EXPECT_TRUE(b.Default());
        EXPECT_EQ(b.ModalResult(), 1);
    }

    // Setting a value to what it is already changes nothing.
    TBitBtnWithColor b;
    b.setKind(bkOK);
    b.setColor(b.Color());
    b.setDefault(true);
    b.setModalResult(1);
    EXPECT_EQ(b.Kind(), bkOK);
    // bkCustom keeps whatever was set.
    b.setKind(bkCustom);
    EXPECT_TRUE(b.Default());
    EXPECT_EQ(b.NumGlyphs(), 2);
    EXPECT_EQ(b.text(), QStringLiteral("OK"));
}

TEST(TBitBtnWithColor, CloseAndHelpPresetsTakeTheClickInsteadOfOnClick) {
    int clicks = 0;
    {
        QWidget form;
        auto* close = new TBitBtnWithColor(&form);
        close->setKind(bkClose);
        close->OnClick = [&](QObject*) { ++clicks; };
        form.show();
        ASSERT_TRUE(form.isVisible());
        close->click();
        EXPECT_FALSE(form.isVisible());
        EXPECT_EQ(clicks, 0);
    }
    {
        // A close button that is a window of its own has no form to close: a plain click.
        TBitBtnWithColor lone;
        lone.setKind(bkClose);
        lone.OnClick = [&](QObject*) { ++clicks; };
        lone.Click();
        EXPECT_EQ(clicks, 1);
    }
    {
        QWidget form;
        auto* panel = new QWidget(&form);
        auto* help = new TBitBtnWithColor(panel);
        help->setKind(bkHelp);
        help->OnClick = [&](QObject*) { ++clicks; };
        int shown = -1;
        TBitBtnWithColor::HelpViewer = [&](int context) { shown = context; };
        form.setProperty("HelpContext", 7);
        panel->setProperty("HelpContext", 42); // the nearest one wins
        help->Click();
        EXPECT_EQ(shown, 42);
        EXPECT_EQ(clicks, 1);

        // No topic anywhere up the chain: an ordinary click.
        form.setProperty("HelpContext", 0);
        panel->setProperty("HelpContext", 0);
        shown = -1;
        help->Click();
        EXPECT_EQ(shown, -1);
        EXPECT_EQ(clicks, 2);
        TBitBtnWithColor::HelpViewer = nullptr;
    }
}

TEST(TBitBtnWithColor, ClickEndsItsDialogWithTheModalResultThenFiresOnClick) {
    QDialog dialog;
    auto* ok = new TBitBtnWithColor(&dialog);
    ok->setKind(bkOK);
    int resultSeenByHandler = -1;
    ok->OnClick = [&](QObject* sender) {
        EXPECT_EQ(sender, ok);
        resultSeenByHandler = dialog.result();
    };
    dialog.show();
    ok->click();
    EXPECT_EQ(resultSeenByHandler, 1);
    EXPECT_FALSE(dialog.isVisible());
}

TEST(TBitBtnWithColor, MouseDownFiresAtThePressAndADisablingHandlerSwallowsTheRelease) {
    QWidget form;
    auto* b = new TBitBtnWithColor(QStringLiteral("&START"), &form);
    b->resize(136, 29);
    form.show();
    int downs = 0;
    int clicks = 0;
    Qt::MouseButton seen = Qt::NoButton;
    b->OnClick = [&](QObject*) { ++clicks; };
    b->OnMouseDown = [&](QObject* sender, Qt::MouseButton button) {
        EXPECT_EQ(sender, b);
        ++downs;
        seen = button;
        b->setEnabled(false);
    };
    sendMouse(b, QEvent::MouseButtonPress, Qt::RightButton);
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(seen, Qt::RightButton);
    sendMouse(b, QEvent::MouseButtonRelease, Qt::RightButton);
    b->setEnabled(true);
    sendMouse(b, QEvent::MouseButtonPress, Qt::LeftButton);
    EXPECT_FALSE(b->isDown());
    sendMouse(b, QEvent::MouseButtonRelease, Qt::LeftButton);
    EXPECT_EQ(downs, 2);
    EXPECT_EQ(clicks, 0);
}

TEST(TBitBtnWithColor, DoubleClickIsASecondPressAndKeysPressTheFocusedButton) {
    QWidget form;
    auto* b = new TBitBtnWithColor(QStringLiteral("OK"), &form);
    b->resize(80, 25);
    form.show();
    int downs = 0;
    int clicks = 0;
    b->OnMouseDown = [&](QObject*, Qt::MouseButton) { ++downs; };
    b->OnClick = [&](QObject*) { ++clicks; };
    sendMouse(b, QEvent::MouseButtonPress, Qt::LeftButton);
    sendMouse(b, QEvent::MouseButtonRelease, Qt::LeftButton);
    sendMouse(b, QEvent::MouseButtonDblClick, Qt::LeftButton);
    sendMouse(b, QEvent::MouseButtonRelease, Qt::LeftButton);
    EXPECT_EQ(downs, 2);
    EXPECT_EQ(clicks, 2);

    QTest::keyClick(b, Qt::Key_Space);
    QTest::keyClick(b, Qt::Key_Return);
    QTest::keyClick(b, Qt::Key_Enter);
    EXPECT_EQ(clicks, 5);
    // Keys on a disabled button do nothing.
    b->setEnabled(false);
    QTest::keyClick(b, Qt::Key_Space);
    QTest::keyClick(b, Qt::Key_Return);
    EXPECT_EQ(clicks, 5);
}

TEST(TBitBtnWithColor, RedFaceIsRaisedAndPressedShowsShadowOutlineAndCaptionMovedByOne) {
    TBitBtnWithColor b(QStringLiteral("Los"), nullptr);
    b.resize(136, 29);
    b.setFont(crispFont());
    b.setColor(clRed);
    b.setFontColor(clYellow);
    const QRect inside(4, 4, 128, 21);

    const QImage up = b.grab().toImage();
    EXPECT_EQ(up.pixel(0, 0) & 0xFFFFFF, rgb(cl3DLight) & 0xFFFFFF);
    EXPECT_EQ(up.pixel(135, 28) & 0xFFFFFF, rgb(cl3DDkShadow) & 0xFFFFFF);
    EXPECT_EQ(up.pixel(1, 1) & 0xFFFFFF, rgb(clBtnHighlight) & 0xFFFFFF);
    EXPECT_EQ(up.pixel(134, 27) & 0xFFFFFF, rgb(clBtnShadow) & 0xFFFFFF);
    EXPECT_EQ(up.pixel(2, 2) & 0xFFFFFF, rgb(clRed) & 0xFFFFFF);
    const Pixels upText = pixelsOf(up, rgb(clYellow), inside);
    ASSERT_GT(upText.size(), 20u);

    b.setDown(true);
    const QImage down = b.grab().toImage();
    for (QPoint corner : {QPoint(0, 0), QPoint(135, 0), QPoint(0, 28), QPoint(135, 28)})
        EXPECT_EQ(down.pixel(corner) & 0xFFFFFF, rgb(clBtnShadow) & 0xFFFFFF);
    EXPECT_EQ(down.pixel(1, 1) & 0xFFFFFF, rgb(clRed) & 0xFFFFFF);
    Pixels moved;
    for (auto [x, y] : upText)
        moved.insert({x + 1, y + 1});
    EXPECT_EQ(pixelsOf(down, rgb(clYellow), inside.adjusted(0, 0, 1, 1)), moved);
}

TEST(TBitBtnWithColor, DisabledCaptionIsEmbossedWhiteUnderGreyWhateverItsColour) {
    TBitBtnWithColor b(QStringLiteral("RESET"), nullptr);
    b.resize(136, 29);
    b.setFont(crispFont());
    b.setColor(clNavy);
    b.setFontColor(clYellow);
    b.setEnabled(false);
    const QImage image = b.grab().toImage();
    const QRect inside(3, 3, 130, 23); // within the raised edge, whose highlight may be white too

    EXPECT_TRUE(pixelsOf(image, rgb(clYellow), inside).empty());
    const Pixels grey = pixelsOf(image, 0x808080, inside);
    const Pixels white = pixelsOf(image, 0xFFFFFF, inside);
    ASSERT_GT(grey.size(), 20u);
    ASSERT_GT(white.size(), 10u);
    // The white copy lies one pixel down and right of the grey one, which covers it where they meet.
    for (auto [x, y] : white)
        EXPECT_TRUE(grey.count({x - 1, y - 1})) << x << "," << y;
    for (auto [x, y] : grey)
        EXPECT_TRUE(grey.count({x + 1, y + 1}) || white.count({x + 1, y + 1})) << x << "," << y;
}

TEST(TBitBtnWithColor, DefaultButtonShowsTheFocusFrameUnlessAnotherButtonHasTheFocus) {
    QWidget form;
    auto* edit = new QLineEdit(&form);
    auto* ok = new TBitBtnWithColor(QStringLiteral("OK"), &form);
    auto* other = new TBitBtnWithColor(QStringLiteral("Nein"), &form);
    ok->setGeometry(0, 40, 80, 25);
    other->setGeometry(100, 40, 80, 25);
    ok->setDefault(true);
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    auto corner = [&] { return ok->grab().toImage().pixel(0, 0) & 0xFFFFFF; };

    edit->setFocus();
    EXPECT_EQ(corner(), rgb(clWindowFrame) & 0xFFFFFF);
    other->setFocus();
    EXPECT_EQ(corner(), rgb(cl3DLight) & 0xFFFFFF);
    ok->setDefault(false);
    edit->setFocus();
    EXPECT_EQ(corner(), rgb(cl3DLight) & 0xFFFFFF);
}

TEST(TBitBtnWithColor, EscPressesTheCancelButtonOfItsWindow) {
    QDialog dialog;
    auto* edit = new QLineEdit(&dialog);
    auto* cancel = new TBitBtnWithColor(&dialog);
    cancel->move(0, 40);
    cancel->setKind(bkCancel);
    int clicks = 0;
    cancel->OnClick = [&](QObject*) { ++clicks; };
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(dialog.result(), 2); // the button's result, not the dialog's own rejection

    cancel->setCancel(false);
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_EQ(clicks, 1);
}
