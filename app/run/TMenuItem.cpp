#include "app/run/TMenuItem.h"

TMenuItem::TMenuItem(const QString& caption, int shortCut, QObject* parent)
    : QAction(caption, parent), m_shortCut(shortCut) {}

void TMenuItem::setShortCut(int code) {
    m_shortCut = code;
}

void TMenuItem::Click() {
    if (isEnabled())
        trigger();
}

int ShortCutFromKey(int qtKey, Qt::KeyboardModifiers modifiers) {
    int vk = 0;
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        vk = qtKey; // virtual-key codes of letters and digits are their upper-case ASCII codes
    else if (qtKey == Qt::Key_Delete)
        vk = ShortCutCode::Delete;
    else if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12)
        vk = ShortCutCode::F1 + (qtKey - Qt::Key_F1);
    else
        return 0;
    if (modifiers & Qt::AltModifier)
        vk |= ShortCutCode::Alt;
    if (modifiers & Qt::ControlModifier)
        vk |= ShortCutCode::Ctrl;
    if (modifiers & Qt::ShiftModifier)
        vk |= ShortCutCode::Shift;
    return vk;
}
