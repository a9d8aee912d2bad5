#include "TRunButton.h"

#include <QMouseEvent>

TRunButton::TRunButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {}

void TRunButton::mousePressEvent(QMouseEvent* event) {
    if (!OnMouseDown) {
        QPushButton::mousePressEvent(event);
        return;
    }
    // The handler disables the button; swallowing the press keeps a release from clicking twice.
    event->accept();
    OnMouseDown(this, event->button());
}
