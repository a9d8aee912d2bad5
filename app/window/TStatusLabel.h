#pragma once

#include <QLabel>

/// A one-line label that keeps its whole text but, where it is too narrow, draws it cut short with
/// an ellipsis; the whole text stays in `text()` for tooltips, accessibility and tests.
class TStatusLabel : public QLabel {
public:
    /// An empty label on `parent`.
    explicit TStatusLabel(QWidget* parent = nullptr);

    /// Whether the text is cut short at the label's current width.
    bool Elided() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int textRoom() const;
};
