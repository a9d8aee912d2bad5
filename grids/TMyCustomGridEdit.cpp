#include "grids/TMyCustomGrid.h"

#include "grids/TInplaceEdit.h"

#include <QApplication>
#include <QFocusEvent>
#include <QScopeGuard>

// --- hooks ------------------------------------------------------------------------------------

bool TMyCustomGrid::IsActiveControl() const {
    const QWidget* fw = window() ? window()->focusWidget() : nullptr;
    return fw && (fw == this || (m_inplaceEdit && fw == m_inplaceEdit));
}

bool TMyCustomGrid::CanEditShow() {
    return m_options.testFlag(goEditing) && !m_options.testFlag(goRowSelect) && m_editorMode &&
           (m_options.testFlag(goAlwaysShowEditor) || IsActiveControl());
}

bool TMyCustomGrid::CanEditModify() {
    return m_canEditModify;
}
bool TMyCustomGrid::EditAcceptsKey(QChar) {
    return true;
}
QString TMyCustomGrid::GetEditText(int32_t, int32_t) {
    return {};
}
void TMyCustomGrid::SetEditText(int32_t, int32_t, const QString&) {}
QString TMyCustomGrid::GetEditMask(int32_t, int32_t) {
    return {};
}
int TMyCustomGrid::GetEditLimit() {
    return 0;
}

TInplaceEdit* TMyCustomGrid::CreateEditor() {
    return new TInplaceEdit();
}

// --- editor lifecycle -------------------------------------------------------------------------

void TMyCustomGrid::setEditorMode(bool on) {
    if (on) {
        ShowEditor();
        if (m_inplaceEdit)
            m_inplaceEdit->Deselect();
    } else {
        HideEditor();
    }
}

void TMyCustomGrid::ShowEditor() {
    m_editorMode = true;
    UpdateEdit();
}

void TMyCustomGrid::HideEditor() {
    m_editorMode = false;
    HideEdit();
}

void TMyCustomGrid::ShowEditorChar(QChar Ch) {
    ShowEditor();
    // A character for an editor that cannot show would land in no cell (or a stale one).
    if (!m_inplaceEdit || m_inplaceEdit->isHidden())
        return;
    // Posted, so it arrives after the editor is loaded and has selected its text: typing replaces it.
    // As a PostedChar the editor takes it as a character alone: the key went down on the grid.
    QCoreApplication::postEvent(m_inplaceEdit, new TInplaceEdit::PostedChar(Ch));
}

void TMyCustomGrid::UpdateEdit() {
    if (!CanEditShow())
        return;
    if (!m_inplaceEdit) {
        m_inplaceEdit = CreateEditor();
        m_inplaceEdit->setParent(viewport());
        m_inplaceEdit->setGrid(this);
        connect(m_inplaceEdit, &QLineEdit::textChanged, this, [this] { EditorTextChanged(); });
        LoadEditor();
    } else if (m_current != m_editCell) {
        HideEdit();
        LoadEditor();
    }
    if (CanEditShow())
        m_inplaceEdit->Move(CellRect(m_current.X, m_current.Y));
}

void TMyCustomGrid::LoadEditor() {
    m_editCell = m_current;
    m_inplaceEdit->UpdateContents();
    m_canEditModify = m_inplaceEdit->EditLimit() != -1;
    m_inplaceEdit->selectAll();
}

void TMyCustomGrid::StoreEditorText() {
    if (m_inplaceEdit && m_editCell.X >= 0)
        SetEditText(m_editCell.X, m_editCell.Y, m_inplaceEdit->text());
}

void TMyCustomGrid::EditorTextChanged() {
    // The cell follows every keystroke; there is no cancel that brings the old text back.
    if (m_inplaceEdit && !m_inplaceEdit->m_loading)
        StoreEditorText();
}

void TMyCustomGrid::HideEdit() {
    if (!m_inplaceEdit)
        return;
    // Also when storing fails, the editor forgets its cell and goes.
    const auto finish = qScopeGuard([this] {
        m_editCell = {-1, -1};
        m_inplaceEdit->Hide();
    });
    StoreEditorText();
}

void TMyCustomGrid::InvalidateEditor() {
    m_editCell = {-1, -1};
    UpdateEdit();
}

// --- focus ------------------------------------------------------------------------------------

void TMyCustomGrid::focusInEvent(QFocusEvent* e) {
    QAbstractScrollArea::focusInEvent(e);
    if (m_focusFromEditor) {
        // The editor handed the focus back; nothing about the grid's look changes.
        m_focusFromEditor = false;
        return;
    }
    // Focus decides the focused state and the focus rectangles.
    InvalidateGridRect(Selection());
    RedrawCell(m_current.X, m_current.Y);
    UpdateEdit();
}

void TMyCustomGrid::focusOutEvent(QFocusEvent* e) {
    QAbstractScrollArea::focusOutEvent(e);
    FocusLost(e->reason(), QApplication::focusWidget());
}

void TMyCustomGrid::FocusLost(Qt::FocusReason reason, QWidget* newFocus) {
    InvalidateGridRect(Selection());
    RedrawCell(m_current.X, m_current.Y);
    if (m_inplaceEdit && newFocus == m_inplaceEdit)
        return;
    if (m_gridState != gsNormal)
        CancelMode();
    // Editor mode stays on, so the editor comes back with the focus.
    HideEdit();
    // Another window or a menu taking the focus is no exit from the control.
    const bool exit = reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
    if (exit && !m_options.testFlag(goAlwaysShowEditor))
        m_editorMode = false;
}
