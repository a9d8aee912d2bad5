#include "InputGrid.h"

#include "core/Exception.h"

#include <QClipboard>

namespace {

struct EditingGrid : InputGridTest {
    void SetUp() override {
        InputGridTest::SetUp();
        g.setOptions(g.Options() | goEditing);
        g.setCells(1, 1, QStringLiteral("eins"));
        g.setCells(1, 2, QStringLiteral("zwei"));
    }
    TInplaceEdit* Ed() const { return g.InplaceEditor(); }
    void Type(const QString& text) {
        for (QChar c : text)
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
        QCoreApplication::processEvents(); // the character the grid posts to its editor
    }
};

} // namespace

TEST_F(EditingGrid, TypingOnTheGridOpensTheEditorAndReplacesTheTextAtOnce) {
    Type(QStringLiteral("x"));
    ASSERT_TRUE(g.EditorShown());
    EXPECT_TRUE(Ed()->hasFocus());
    EXPECT_EQ(Ed()->geometry(), g.CellRect(1, 1));
    EXPECT_EQ(Ed()->text(), QStringLiteral("x"));
    EXPECT_EQ(g.Cells(1, 1), QStringLiteral("x"));
    Type(QStringLiteral("yz"));
    EXPECT_EQ(g.Cells(1, 1), QStringLiteral("xyz"));

    // Esc is no undo: the cell keeps what was typed.
    Key(Qt::Key_Escape);
    EXPECT_EQ(g.Cells(1, 1), QStringLiteral("xyz"));
    EXPECT_EQ(Ed()->text(), QStringLiteral("xyz"));
}

TEST_F(EditingGrid, EnterClosesTheEditorAndOpensItAgainWithAllTextSelected) {
    Key(Qt::Key_F2);
    ASSERT_TRUE(g.EditorShown());
    EXPECT_FALSE(Ed()->hasSelectedText()); // F2: caret at the end
    EXPECT_EQ(Ed()->cursorPosition(), 4);
    Type(QStringLiteral("!"));
    Key(Qt::Key_Return);
    EXPECT_FALSE(g.EditorShown());
    EXPECT_FALSE(g.EditorMode());
    EXPECT_TRUE(g.hasFocus());
    EXPECT_EQ(g.Cells(1, 1), QStringLiteral("eins!"));

    Key(Qt::Key_Return);
    ASSERT_TRUE(g.EditorShown());
    EXPECT_TRUE(Ed()->hasFocus());
    EXPECT_EQ(Ed()->selectedText(), QStringLiteral("eins!"));
}

TEST_F(EditingGrid, UpAndDownMoveTheCellAndTheEditorFollowsWithTheNewText) {
    Key(Qt::Key_F2);
    Type(QStringLiteral("?"));
    Key(Qt::Key_Down);
    EXPECT_EQ(Current(), (TGridCoord{1, 2}));
    ASSERT_TRUE(g.EditorShown());
    EXPECT_TRUE(Ed()->hasFocus());
    EXPECT_EQ(Ed()->text(), QStringLiteral("zwei"));
    EXPECT_EQ(Ed()->geometry(), g.CellRect(1, 2));
    EXPECT_EQ(g.Cells(1, 1), QStringLiteral("eins?"));
    Key(Qt::Key_Up);
    EXPECT_EQ(Ed()->text(), QStringLiteral("eins?"));
    // Left and Right stay inside the text.
    Key(Qt::Key_Left);
    EXPECT_EQ(Current(), (TGridCoord{1, 1}));
}

TEST_F(EditingGrid, ProgramWritesToTheEditedCellReloadTheEditor) {
    Key(Qt::Key_F2);
    g.setCells(1, 1, QStringLiteral("neu"));
    EXPECT_EQ(Ed()->text(), QStringLiteral("neu"));
    EXPECT_EQ(Ed()->selectedText(), QStringLiteral("neu")); // reloaded like a fresh cell
    Ed()->end(false);
    Type(QStringLiteral("!"));
    EXPECT_EQ(g.Cells(1, 1), QStringLiteral("neu!"));
}

TEST_F(EditingGrid, TheEditedTextFollowsItsCellWhenColumnsOrRowsMove) {
    g.setCells(2, 1, QStringLiteral("B"));
    Key(Qt::Key_F2);
    g.MoveColumn(1, 3); // the edited cell is now (3, 1); column 2 moved to 1
    g.MoveRow(1, 2);    // ... and now (3, 2)
    Type(QStringLiteral("!"));
    Key(Qt::Key_Down);
    EXPECT_EQ(g.Cells(3, 2), QStringLiteral("eins!"));
    EXPECT_EQ(g.Cells(1, 2), QStringLiteral("B"));
    EXPECT_EQ(g.Cells(3, 1), QStringLiteral("zwei")); // row 2 moved up
}

TEST_F(EditingGrid, AFailingStoreStillHidesTheEditorAndForgetsItsCell) {
    Key(Qt::Key_F2);
    g.OnSetEditText = [](QObject*, int32_t, int32_t, const QString&) {
        throw Exception(QStringLiteral("nein"));
    };
    EXPECT_THROW(g.setEditorMode(false), Exception);
    EXPECT_FALSE(g.EditorShown());
    g.OnSetEditText = nullptr;
    // Nothing is stored into the forgotten cell when the editor comes back on another one.
    g.setCells(1, 2, QStringLiteral("zwei"));
    g.MoveCurrent(1, 2, true, true);
    g.setEditorMode(true);
    EXPECT_EQ(Ed()->text(), QStringLiteral("zwei"));
    EXPECT_EQ(g.Cells(1, 1), QStringLiteral("eins"));
}

TEST_F(EditingGrid, ALimitOfMinusOneMakesEveryModifyingKeyDoNothing) {
    g.editLimit = -1;
    QApplication::clipboard()->setText(QStringLiteral("CLIP"));
    Type(QStringLiteral("a")); // typed on the grid: opens the editor, the letter is dropped
    ASSERT_TRUE(g.EditorShown());
    EXPECT_EQ(Ed()->text(), QStringLiteral("eins"));
    Key(Qt::Key_End);
    Key(Qt::Key_Backspace);
    Key(Qt::Key_Home);
    Key(Qt::Key_Delete);
    Key(Qt::Key_Insert, Qt::ShiftModifier);
    Key(Qt::Key_V, Qt::ControlModifier);
    Ed()->selectAll();
    Key(Qt::Key_X, Qt::ControlModifier);
    Key(Qt::Key_K, Qt::ControlModifier);
    Type(QStringLiteral("b"));
    EXPECT_EQ(Ed()->text(), QStringLiteral("eins"));
    EXPECT_EQ(g.Cells(1, 1), QStringLiteral("eins"));
    // Navigation still works, inside the text and between cells.
    Key(Qt::Key_Home);
    EXPECT_EQ(Ed()->cursorPosition(), 0);
    Key(Qt::Key_Down);
    EXPECT_EQ(Current(), (TGridCoord{1, 2}));
    EXPECT_EQ(Ed()->text(), QStringLiteral("zwei"));
}

TEST_F(EditingGrid, RowSelectNeverShowsTheEditor) {
    g.setOptions(g.Options() | goRowSelect | goAlwaysShowEditor);
    g.setEditorMode(true);
    Key(Qt::Key_F2);
    Type(QStringLiteral("a"));
    Key(Qt::Key_Return);
    Press(g.Mid(1, 1));
    Release(g.Mid(1, 1));
    EXPECT_FALSE(g.EditorShown());
    EXPECT_EQ(g.Cells(1, 1), QStringLiteral("eins"));
}

TEST_F(EditingGrid, ClickOnTheCurrentCellOpensTheEditorAndASecondClickCountsAsDoubleClick) {
    int dbl = 0;
    g.OnDblClick = [&](QObject* s) {
        EXPECT_EQ(s, &g);
        ++dbl;
    };
    // Time stamps are set by hand: only their distance matters.
    auto send = [](QWidget* w, QEvent::Type type, QPoint p, quint64 t) {
        QMouseEvent e(type, p, w->mapToGlobal(p), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        e.setTimestamp(t);
        QApplication::sendEvent(w, &e);
    };
    const int interval = QApplication::doubleClickInterval();
    send(g.viewport(), QEvent::MouseButtonPress, g.Mid(2, 2), 1000); // another cell: no editor yet
    send(g.viewport(), QEvent::MouseButtonRelease, g.Mid(2, 2), 1010);
    EXPECT_FALSE(g.EditorShown());
    const quint64 t0 = 1000 + 2 * interval;
    send(g.viewport(), QEvent::MouseButtonPress, g.Mid(2, 2), t0);
    send(g.viewport(), QEvent::MouseButtonRelease, g.Mid(2, 2), t0 + 10);
    ASSERT_TRUE(g.EditorShown());
    // The second press of the double click lands on the editor that appeared under the pointer.
    send(Ed(), QEvent::MouseButtonPress, QPoint(5, 5), t0 + 20);
    send(Ed(), QEvent::MouseButtonDblClick, QPoint(5, 5), t0 + 20);
    send(Ed(), QEvent::MouseButtonRelease, QPoint(5, 5), t0 + 30);
    EXPECT_EQ(dbl, 1);
    // A later press on the editor is an ordinary press.
    send(Ed(), QEvent::MouseButtonPress, QPoint(5, 5), t0 + 40);
    send(Ed(), QEvent::MouseButtonRelease, QPoint(5, 5), t0 + 50);
    EXPECT_EQ(dbl, 1);
    // A press on the grid long after the last one is no double click either.
    send(g.viewport(), QEvent::MouseButtonPress, g.Mid(3, 2), t0 + 5 * interval);
    send(g.viewport(), QEvent::MouseButtonRelease, g.Mid(3, 2), t0 + 5 * interval + 10);
    send(g.viewport(), QEvent::MouseButtonPress, g.Mid(3, 2), t0 + 7 * interval);
    send(g.viewport(), QEvent::MouseButtonRelease, g.Mid(3, 2), t0 + 7 * interval + 10);
    send(Ed(), QEvent::MouseButtonPress, QPoint(5, 5), t0 + 9 * interval);
    EXPECT_EQ(dbl, 1);
}

TEST_F(EditingGrid, LeavingTheGridStoresAndHidesTheEditorAndEndsEditorMode) {
    QLineEdit other(&host);
    other.show();
    Key(Qt::Key_F2);
    Type(QStringLiteral("+"));
    other.setFocus();
    EXPECT_FALSE(g.EditorShown());
    EXPECT_FALSE(g.EditorMode());
    EXPECT_EQ(g.Cells(1, 1), QStringLiteral("eins+"));
    g.setFocus();
    EXPECT_FALSE(g.EditorShown());

    // With goAlwaysShowEditor the editor comes back with the focus.
    g.setOptions(g.Options() | goAlwaysShowEditor);
    ASSERT_TRUE(g.EditorShown());
    other.setFocus();
    EXPECT_FALSE(g.EditorShown());
    EXPECT_TRUE(g.EditorMode());
    g.setFocus();
    EXPECT_TRUE(g.EditorShown());
}

TEST_F(EditingGrid, ACharacterTypedOnTheGridReachesTheEditorAsACharacterOnly) {
    std::vector<int> downs;
    QString pressed;
    g.OnKeyDown = [&](QObject*, int& key, Qt::KeyboardModifiers) { downs.push_back(key); };
    g.OnKeyPress = [&](QObject*, QChar& ch) { pressed += ch; };
    Type(QStringLiteral("x"));
    EXPECT_EQ(downs, std::vector<int>{Qt::Key_X}) << "the key went down once, on the grid";
    EXPECT_EQ(pressed, QStringLiteral("x"));
    EXPECT_EQ(g.Cells(1, 1), QStringLiteral("x"));

    // A character still on its way when the editor is put away again is dropped.
    Key(Qt::Key_Return);
    ASSERT_FALSE(g.EditorShown());
    QTest::keyClick(&g, 'y');
    g.setEditorMode(false);
    QCoreApplication::processEvents();
    EXPECT_EQ(Ed()->text(), QStringLiteral("x"));
    EXPECT_EQ(g.Cells(1, 1), QStringLiteral("x"));
}
