#include "grids/TMyCustomGrid.h"

#include "grids/GridKeyMove.h"
#include "grids/TInplaceEdit.h"

#include <QKeyEvent>

QChar KeyEventChar(const QKeyEvent* e) {
    switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return QChar(13);
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return QChar(9);
    case Qt::Key_Escape:
        return QChar(27);
    case Qt::Key_Backspace:
        return QChar(8);
    case Qt::Key_Delete:
        return {};
    default:
        break;
    }
    const Qt::KeyboardModifiers mods = e->modifiers();
    const bool ctrl = mods.testFlag(Qt::ControlModifier);
    const bool alt = mods.testFlag(Qt::AltModifier);
    if (ctrl && !alt) {
        // Ctrl+letter types its control code (Ctrl+V = 22), whatever text the toolkit attached.
        if (e->key() >= Qt::Key_A && e->key() <= Qt::Key_Z)
            return QChar(e->key() - Qt::Key_A + 1);
        if (!e->text().isEmpty() && e->text().at(0).unicode() < 32)
            return e->text().at(0);
        return {};
    }
    if (alt && !ctrl)
        return {};
    if (!e->text().isEmpty())
        return e->text().at(0);
    return {};
}

bool TMyCustomGrid::WantsKey(const QKeyEvent* e) const {
    const int key = e->key();
    const Qt::KeyboardModifiers mods = e->modifiers();
    if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_Left || key == Qt::Key_Right)
        return true;
    if (m_options.testFlag(goRowSelect))
        return false;
    if ((key == Qt::Key_Tab || key == Qt::Key_Backtab) && m_options.testFlag(goTabs) &&
        !(mods & (Qt::AltModifier | Qt::ControlModifier)))
        return true;
    if (m_options.testFlag(goEditing)) {
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            return true;
        const QChar ch = KeyEventChar(e);
        if (!ch.isNull() && (ch == QChar(8) || ch.unicode() >= 32))
            return true;
    }
    return false;
}

void TMyCustomGrid::keyPressEvent(QKeyEvent* e) {
    HandleKeyEvent(e);
}

void TMyCustomGrid::HandleKeyEvent(QKeyEvent* e) {
    int key = e->key();
    Qt::KeyboardModifiers mods = e->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if (key == Qt::Key_Backtab) {
        key = Qt::Key_Tab;
        mods |= Qt::ShiftModifier;
    }
    KeyDown(key, mods);
    QChar ch = KeyEventChar(e);
    if (!ch.isNull()) {
        if (m_options.testFlag(goEditing) && (ch == QChar(8) || ch.unicode() >= 32))
            ShowEditorChar(ch);
        else
            KeyPress(ch);
    }
    // Esc, and Enter while the grid does not edit, go on to the window (a dialog's buttons).
    const int k = e->key();
    if (k == Qt::Key_Escape ||
        ((k == Qt::Key_Return || k == Qt::Key_Enter) && !m_options.testFlag(goEditing)))
        e->ignore();
    else
        e->accept();
}

void TMyCustomGrid::keyReleaseEvent(QKeyEvent* e) {
    if (e->isAutoRepeat()) {
        e->accept();
        return;
    }
    int key = e->key();
    KeyUp(key, e->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier));
    e->accept();
}

void TMyCustomGrid::KeyUp(int& Key, Qt::KeyboardModifiers Shift) {
    if (OnKeyUp)
        OnKeyUp(this, Key, Shift);
}

void TMyCustomGrid::KeyDown(int& Key, Qt::KeyboardModifiers Shift) {
    if (OnKeyDown)
        OnKeyDown(this, Key, Shift);
    if (Key == 0)
        return;
    if (!GridAcceptsKey(Key, Shift)) {
        Key = 0;
        return;
    }
    const TGridKeyMove move = gridkeys::Move(Key, Shift, m_options, m_current, CalcDrawInfo());
    if (move.EditorMode)
        setEditorMode(true);
    if (move.TopLeft != m_topLeft)
        MoveTopLeft(move.TopLeft.X, move.TopLeft.Y);
    if (move.Current != m_current)
        FocusCell(move.Current.X, move.Current.Y, move.MoveAnchor);
}

void TMyCustomGrid::KeyPress(QChar& Key) {
    if (OnKeyPress)
        OnKeyPress(this, Key);
    if (Key.isNull())
        return;
    if (!m_options.testFlag(goAlwaysShowEditor) && Key == QChar(13)) {
        if (m_inplaceEdit && !m_inplaceEdit->isHidden())
            HideEditor();
        else
            ShowEditor();
        Key = QChar();
    }
}
