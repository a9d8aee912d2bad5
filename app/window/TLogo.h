#pragma once

#include <QColor>
#include <QFont>
#include <QList>
#include <QPoint>
#include <QString>
#include <QWidget>

/// One text drawn for the logo: where its baseline starts, what and in which colour.
struct LogoPiece {
    QPoint Baseline;
    QString Text;
    QColor Color;
};

/// The pieces of the logo `text` drawn in `font`, in drawing order: its first half in red and its
/// second half in green, each preceded by a black copy `shadow` pixels to the right and below.
QList<LogoPiece> LogoPieces(const QString& text, const QFont& font, int shadow = 2);

/// The program's name as a logo: two coloured halves with a black shadow.
class TLogo : public QWidget {
    Q_OBJECT
public:
    /// A logo of `text` in Arial, 27 pixels, bold, sized to fit its text and shadow.
    explicit TLogo(const QString& text, QWidget* parent = nullptr);

    /// The text shown.
    QString Text() const { return m_text; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_text;
};
