#pragma once

#include <QPushButton>
#include <functional>

/// A push button that reports the moment a mouse button goes down, any mouse button, so an action
/// happens at the press rather than at the release.
class TRunButton : public QPushButton {
    Q_OBJECT
public:
    /// Creates the button with its caption (with "&" mnemonic).
    TRunButton(const QString& caption, QWidget* parent);

    /// Fired on a mouse press while the button is enabled; the press is then not processed further.
    std::function<void(QObject* Sender, Qt::MouseButton button)> OnMouseDown;

protected:
    void mousePressEvent(QMouseEvent* event) override;
};
