#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

/// The program's yes/no question: "Ja" answers yes (result 6); "Nein", Esc and closing the dialog
/// answer no (result 2). Callers set `LabQuestion`'s text, call `ShowModal()` and act only on 6.
class TFDlgYesNo : public QDialog {
    Q_OBJECT
public:
    /// The result of "Ja".
    static constexpr int mrYes = 6;
    /// The result of "Nein", Esc and closing.
    static constexpr int mrNo = 2;

    /// Builds the 222 x 94 dialog; its caption is the application title.
    explicit TFDlgYesNo(QWidget* parent = nullptr);

    /// Shows the dialog modally, centred on its parent, and returns mrYes or mrNo.
    int ShowModal();

    /// Ends the dialog with mrNo (Esc, close button, "Nein").
    void reject() override;

    /// The question, 169 x 33 pixels, centred and word-wrapped; "?" at creation.
    QLabel* LabQuestion = nullptr;
    /// The icon at the left, 32 x 32.
    QLabel* Image1 = nullptr;
    QPushButton* bYes = nullptr;
    QPushButton* bNo = nullptr;
};

/// The question-mark icon of the yes/no dialog, drawn for `size` pixels square.
QPixmap YesNoIcon(int size = 32);
