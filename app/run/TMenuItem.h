#pragma once

#include <QAction>

/// A menu item of the window's invisible shortcut menu. Its shortcut is a stored code (virtual-key
/// code in the low byte, 0x8000 Alt, 0x4000 Ctrl, 0x2000 Shift; 0 for none) that the window matches
/// itself, so that a disabled item still takes its key.
class TMenuItem : public QAction {
    Q_OBJECT
public:
    /// Creates an item with its caption (with "&" mnemonic) and stored shortcut code.
    TMenuItem(const QString& caption, int shortCut, QObject* parent);

    /// The stored shortcut code; 0 means none.
    int ShortCut() const { return m_shortCut; }
    /// Sets the stored shortcut code.
    void setShortCut(int code);

    /// The item's click operation: runs its action, or does nothing while the item is disabled.
    void Click();

private:
    int m_shortCut = 0;
};

/// Stored shortcut codes of the keys the program uses.
namespace ShortCutCode {
constexpr int Alt = 0x8000;
constexpr int Ctrl = 0x4000;
constexpr int Shift = 0x2000;
constexpr int Delete = 46;
constexpr int F1 = 112;
/// The run actions' one-key shortcuts.
constexpr int Start = 'S';
constexpr int Lap = 'L';
constexpr int Stop = 'P';
constexpr int Reset = Delete;
} // namespace ShortCutCode

/// The stored shortcut code of a key press, or 0 for keys that have none.
int ShortCutFromKey(int qtKey, Qt::KeyboardModifiers modifiers);
