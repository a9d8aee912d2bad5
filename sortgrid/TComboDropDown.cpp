#include "sortgrid/TComboDropDown.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScopedValueRollback>

TComboDropDown::TComboDropDown(QWidget* parent) : QListWidget(parent) {
    setFocusPolicy(Qt::ClickFocus);
    setSelectionMode(QAbstractItemView::SingleSelection);
    hide();
}

void TComboDropDown::Cancel() {
    if (isHidden())
        return;
    // Hiding moves the focus away; that must not count as a choice.
    const QScopedValueRollback<bool> guard(m_closing, true);
    hide();
}

void TComboDropDown::CloseUp() {
    if (m_closing || isHidden())
        return;
    const QScopedValueRollback<bool> guard(m_closing, true);
    if (OnCloseUp)
        OnCloseUp();
    hide();
}

void TComboDropDown::mouseReleaseEvent(QMouseEvent* e) {
    QListWidget::mouseReleaseEvent(e);
    if (viewport()->rect().contains(e->position().toPoint()))
        CloseUp();
}

void TComboDropDown::keyReleaseEvent(QKeyEvent* e) {
    QListWidget::keyReleaseEvent(e);
    if (e->isAutoRepeat())
        return;
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter || e->key() == Qt::Key_Space)
        CloseUp();
}

void TComboDropDown::focusOutEvent(QFocusEvent* e) {
    QListWidget::focusOutEvent(e);
    // Another window taking over, or a menu, does not close the list.
    if (e->reason() != Qt::ActiveWindowFocusReason && e->reason() != Qt::PopupFocusReason)
        CloseUp();
}
