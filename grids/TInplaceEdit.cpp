#include "grids/TInplaceEdit.h"

#include "grids/TMyCustomGrid.h"

#include <QApplication>
#include <QFocusEvent>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QWheelEvent>

TInplaceEdit::TInplaceEdit(QWidget* parent) : QLineEdit(parent) {
    setFrame(false);
    // Not a tab stop: the editor is reached only through the grid.
    setFocusPolicy(Qt::ClickFocus);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    hide();
}

TInplaceEdit::~TInplaceEdit() = default;

void TInplaceEdit::Move(const QRect& Loc) {
    InternalMove(Loc, true);
}

void TInplaceEdit::UpdateLoc(const QRect& Loc) {
    InternalMove(Loc, false);
}

void TInplaceEdit::InternalMove(const QRect& Loc, bool Redraw) {
    if (Loc.isEmpty()) {
        Hide();
        return;
    }
    Redraw = Redraw || isHidden();
    Invalidate();
    setGeometry(Loc);
    if (isHidden())
        show();
    BoundsChanged();
    if (Redraw)
        Invalidate();
    if (m_grid && m_grid->hasFocus())
        setFocus(Qt::OtherFocusReason);
}

void TInplaceEdit::BoundsChanged() {
    // The text starts where the grid writes a cell's text: 2 pixels in from the left and the top
    // (the frameless edit keeps 2 pixels left and 1 pixel top of its own).
    setTextMargins(0, 1, 0, 0);
}

void TInplaceEdit::Hide() {
    if (isHidden())
        return;
    Invalidate();
    // Hand the focus back before hiding, or the toolkit would pass it on to the next control.
    if (m_grid && window() && window()->focusWidget() == this)
        m_grid->setFocus(Qt::OtherFocusReason);
    hide();
}

void TInplaceEdit::Deselect() {
    deselect();
    setCursorPosition(int(text().size()));
}

void TInplaceEdit::Invalidate() {
    update();
    // The grid repaints the cell under the editor, so nothing stale shows when it moves or hides.
    if (m_grid)
        m_grid->InvalidateRect(geometry());
}

void TInplaceEdit::UpdateContents() {
    if (!m_grid)
        return;
    const QScopedValueRollback<bool> loading(m_loading, true);
    clear();
    // Edit masks are not supported by this edit; the hook is asked so descendants see the call.
    (void)m_grid->GetEditMask(m_grid->Col(), m_grid->Row());
    const QString text = m_grid->GetEditText(m_grid->Col(), m_grid->Row());
    m_editLimit = m_grid->GetEditLimit();
    // A limit below the loaded text's length would cut the text, and the next keystroke would store
    // the cut text; such a cell keeps its text and cannot grow.
    int limit = m_editLimit > 0 ? m_editLimit : 32767;
    limit = std::max(limit, int(text.size()));
    setMaxLength(limit);
    setText(text);
}

bool TInplaceEdit::CanModify() const {
    return !m_grid || m_grid->CanEditModify();
}

void TInplaceEdit::SyncReadOnly() {
    // Read-only also guards the paths the key tables do not see: context menu, middle-button
    // paste, drops, undo and the toolkit's editing shortcuts.
    setReadOnly(!CanModify());
}

bool TInplaceEdit::event(QEvent* e) {
    switch (e->type()) {
    case QEvent::KeyPress:
    case QEvent::ShortcutOverride:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::ContextMenu:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
    case QEvent::InputMethod:
        SyncReadOnly();
        break;
    default:
        break;
    }
    if (e->type() == QEvent::KeyPress && m_grid) {
        auto* ke = static_cast<QKeyEvent*>(e);
        if ((ke->key() == Qt::Key_Tab || ke->key() == Qt::Key_Backtab) &&
            m_grid->Options().testFlag(goTabs) && !(ke->modifiers() & Qt::AltModifier)) {
            keyPressEvent(ke);
            return true;
        }
    }
    return QLineEdit::event(e);
}

void TInplaceEdit::keyPressEvent(QKeyEvent* e) {
    if (!m_grid) {
        QLineEdit::keyPressEvent(e);
        return;
    }
    // The grid may hide this editor or move it to another cell while handling the key.
    TMyCustomGrid* grid = m_grid;
    const bool posted = dynamic_cast<const PostedChar*>(e) != nullptr;
    if (posted && isHidden()) {
        e->accept(); // hidden again before the character arrived
        return;
    }
    int key = e->key();
    Qt::KeyboardModifiers mods = e->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if (key == Qt::Key_Backtab) {
        key = Qt::Key_Tab;
        mods |= Qt::ShiftModifier;
    }
    const bool shift = mods.testFlag(Qt::ShiftModifier);
    const bool ctrl = mods.testFlag(Qt::ControlModifier);
    const bool alt = mods.testFlag(Qt::AltModifier);

    bool dropped = false;
    if (!posted) {
        const auto toGrid = [&] {
            int k = key;
            grid->KeyDown(k, mods);
            dropped = true;
        };
        switch (key) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Escape:
            toGrid();
            break;
        case Qt::Key_Tab:
            if (!alt)
                toGrid();
            break;
        case Qt::Key_Insert:
            if (!shift && !ctrl && !alt)
                toGrid();
            else if (shift && !ctrl && !alt && !CanModify())
                dropped = true;
            break;
        case Qt::Key_Delete:
            if (ctrl)
                toGrid();
            else if (!CanModify())
                dropped = true;
            break;
        default:
            break;
        }
        if (!dropped) {
            int k = key;
            if (grid->OnKeyDown)
                grid->OnKeyDown(grid, k, mods);
            if (k == Qt::Key_F2) {
                Deselect();
                dropped = true;
            } else if (k == 0) {
                dropped = true;
            }
        }
    }

    QChar ch = KeyEventChar(e);
    const bool typesChar = !ch.isNull();
    if (typesChar) {
        grid->KeyPress(ch);
        if (!ch.isNull() && ch.unicode() >= 32 && !grid->EditAcceptsKey(ch)) {
            QApplication::beep();
            ch = QChar();
        }
        if (ch == QChar(9) || ch == QChar(27))
            ch = QChar();
        if (ch == QChar(13)) {
            // Reached only with goAlwaysShowEditor: Enter toggles between all selected and caret at end.
            if (selectionStart() == 0 && selectedText().size() == text().size())
                Deselect();
            else
                selectAll();
            ch = QChar();
        }
        if (!ch.isNull() && (ch == QChar(8) || ch == QChar(22) || ch == QChar(24) || ch.unicode() >= 32) &&
            !CanModify())
            ch = QChar();
    }
    if (!dropped && (!typesChar || !ch.isNull()) && m_grid == grid)
        QLineEdit::keyPressEvent(e);
    else
        e->accept();
}

void TInplaceEdit::keyReleaseEvent(QKeyEvent* e) {
    if (m_grid && !e->isAutoRepeat()) {
        int key = e->key();
        m_grid->KeyUp(key, e->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier));
    }
    QLineEdit::keyReleaseEvent(e);
}

void TInplaceEdit::mousePressEvent(QMouseEvent* e) {
    if (m_grid && e->button() == Qt::LeftButton && m_clickTime != 0) {
        const uint64_t t = e->timestamp();
        const uint64_t last = m_clickTime;
        m_clickTime = 0;
        if (t >= last && t - last < uint64_t(QApplication::doubleClickInterval())) {
            // The first click went to the grid and made this editor appear under the pointer.
            m_convertedPress = t;
            m_grid->DblClick();
            QLineEdit::mouseDoubleClickEvent(e);
            return;
        }
    }
    QLineEdit::mousePressEvent(e);
}

void TInplaceEdit::mouseDoubleClickEvent(QMouseEvent* e) {
    if (m_grid && e->timestamp() != m_convertedPress)
        m_grid->DblClick();
    QLineEdit::mouseDoubleClickEvent(e);
}

void TInplaceEdit::wheelEvent(QWheelEvent* e) {
    if (!m_grid) {
        QLineEdit::wheelEvent(e);
        return;
    }
    m_grid->WheelSteps(e->angleDelta().y(), e->modifiers(), mapToParent(e->position().toPoint()));
    e->accept();
}

void TInplaceEdit::focusOutEvent(QFocusEvent* e) {
    QLineEdit::focusOutEvent(e);
    if (!m_grid)
        return;
    QWidget* next = QApplication::focusWidget();
    if (next == m_grid) {
        m_grid->m_focusFromEditor = true;
        return;
    }
    // Another window or a menu taking the focus leaves the editor where it is.
    if (e->reason() == Qt::ActiveWindowFocusReason || e->reason() == Qt::PopupFocusReason)
        return;
    m_grid->FocusLost(e->reason(), next);
}
