#pragma once

#include <QListWidget>
#include <functional>

/// The list a combobox cell drops down. It closes when a mouse button is released over it, when
/// Enter or Space is released in it and when it loses the focus; `OnCloseUp` is then called once.
class TComboDropDown : public QListWidget {
    Q_OBJECT

public:
    /// Creates the hidden list (no tab stop).
    explicit TComboDropDown(QWidget* parent = nullptr);

    /// Hides the list without calling `OnCloseUp`.
    void Cancel();

    /// The list closed by the user (the chosen item is the current one).
    std::function<void()> OnCloseUp;

protected:
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    void CloseUp();

    bool m_closing = false;
};
