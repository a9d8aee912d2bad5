#include "app/window/TFormMain.h"

#include "sortgrid/TSortGrid.h"

#include <QAction>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QShortcut>
#include <QToolButton>

void TFormMain::bindProtocolKeys() {
    // Reached by Tab after the run buttons, but a click leaves the focus where it was.
    QWidget* previous = bRESET;
    for (QToolButton* b : {sbCLS, sbLoad, sbPrint, sbWord, sbExcel, sbSave}) {
        b->setFocusPolicy(Qt::TabFocus);
        setTabOrder(previous, b);
        previous = b;
    }
    setTabOrder(previous, SortGrid1);

    // With Ctrl, so that the run's own keys (S, L, P, Del) stay plain letters.
    const std::pair<QKeySequence, QToolButton*> keys[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_S), sbSave},
        {QKeySequence(Qt::CTRL | Qt::Key_O), sbLoad},
        {QKeySequence(Qt::CTRL | Qt::Key_P), sbPrint},
    };
    for (const auto& [sequence, button] : keys) {
        auto* shortcut = new QShortcut(sequence, this);
        connect(shortcut, &QShortcut::activated, button, &QToolButton::click);
    }

    Copy1->setShortcut(QKeySequence::Copy);
    Copy1->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    SortGrid1->addAction(Copy1);
    for (const QKeySequence& sequence : {QKeySequence(Qt::Key_Menu), QKeySequence(Qt::SHIFT | Qt::Key_F10)}) {
        auto* shortcut = new QShortcut(sequence, SortGrid1, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, this, [this] { popupProtocolMenu(); });
    }
}

void TFormMain::popupProtocolMenu() {
    const QRect line = SortGrid1->CellRect(0, SortGrid1->Row());
    const QPoint at = line.isEmpty() ? QPoint(0, 0) : line.bottomLeft() + QPoint(line.height() / 2, 0);
    PopupMenu1->popup(SortGrid1->viewport()->mapToGlobal(at));
}

// The invisible menu sees every key before the focused control does.

bool TFormMain::handleShortCut(QKeyEvent* key, bool onlyProbe) {
    const int code = ShortCutFromKey(key->key(), key->modifiers());
    if (code == 0)
        return false;
    for (TMenuItem* item : HideMenu1) {
        if (item->ShortCut() != code)
            continue;
        // A matching key is taken even while its item is disabled.
        if (!onlyProbe)
            item->Click();
        return true;
    }
    // Mnemonics of the run buttons press them like a click.
    if ((code & ~ShortCutCode::Alt) != 0 && (code & ShortCutCode::Alt) && !(code & ShortCutCode::Ctrl)) {
        const int letter = code & 0xFF;
        for (TBitBtnWithColor* b : {bSTART, bLAP, bSTOP}) {
            const int amp = b->text().indexOf(QLatin1Char('&'));
            if (amp < 0 || amp + 1 >= b->text().size() || b->text().at(amp + 1).toUpper().unicode() != letter)
                continue;
            if (!b->isEnabled())
                return false;
            if (!onlyProbe)
                b->click();
            return true;
        }
    }
    return false;
}

bool TFormMain::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::ShortcutOverride || type == QEvent::KeyPress) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget->window() == this) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (type == QEvent::ShortcutOverride) {
                // Claim the key so it arrives as a key press, where the menu handles it.
                if (handleShortCut(key, true)) {
                    event->accept();
                    return true;
                }
            } else if (handleShortCut(key, false)) {
                return true;
            }
        }
    }
    if (watched == editStartN) {
        if (type == QEvent::FocusIn || type == QEvent::FocusOut) {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            // Switching windows or opening a popup is not leaving the field.
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
                if (type == QEvent::FocusIn)
                    editStartNEnter(editStartN);
                else
                    editStartNExit(editStartN);
            }
        } else if (type == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            int code = key->key();
            editStartNKeyDown(editStartN, code, key->modifiers());
        }
    }
    return QWidget::eventFilter(watched, event);
}
