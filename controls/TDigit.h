#pragma once

#include "core/BorderStyle.h"
#include "core/Colors.h"
#include "core/NotifyEvent.h"

#include <QImage>
#include <QWidget>
#include <array>
#include <cstdint>

/// One decimal digit drawn as a seven-segment display with a triangular dot in the bottom-right
/// corner. It only paints: no text, no focus, no keyboard.
class TDigit : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int Value READ Value WRITE setValue)
    Q_PROPERTY(uchar ValueBinary READ ValueBinary WRITE setValueBinary)
    Q_PROPERTY(uint ColorOn READ ColorOn WRITE setColorOn)
    Q_PROPERTY(uint ColorOff READ ColorOff WRITE setColorOff)
    Q_PROPERTY(uint Color READ Color WRITE setColor)
    Q_PROPERTY(int Thickness READ Thickness WRITE setThickness)
    Q_PROPERTY(int Separation READ Separation WRITE setSeparation)

public:
    /// Values a new control starts with.
    static constexpr int InitialValue = 0;
    static constexpr uint8_t InitialValueBinary = 0x7D;
    static constexpr TColor InitialColorOn = clYellow;
    static constexpr TColor InitialColorOff = clBlack;
    static constexpr TColor InitialColor = clBlack;
    static constexpr int InitialThickness = 2;
    static constexpr int InitialSeparation = 1;
    static constexpr TBorderStyle InitialBorderStyle = TBorderStyle::bsSingle;
    static constexpr int InitialWidth = 16;
    static constexpr int InitialHeight = 32;

    /// Declared defaults: a stored form description omits a property equal to its declared
    /// default, and such a property keeps its initial value when the form is loaded.
    static constexpr int DefaultValue = 0;
    static constexpr uint8_t DefaultValueBinary = 0;
    static constexpr TColor DefaultColorOn = clRed;
    static constexpr TColor DefaultColorOff = clGray;
    static constexpr TBorderStyle DefaultBorderStyle = TBorderStyle::bsSingle;

    /// Creates a 16 x 32 digit showing 0 in yellow on black.
    explicit TDigit(QWidget* parent = nullptr);

    /// The digit shown, 0..9.
    int Value() const { return m_value; }
    /// Shows `v`; a number outside 0..9 shows 0 and fires OnOverflow. Repaints at once.
    void setValue(int v);

    /// The segment bit pattern that is drawn.
    uint8_t ValueBinary() const { return m_valueBinary; }
    /// Sets the drawn pattern without touching Value; repaints at once.
    void setValueBinary(uint8_t pattern);

    /// Fill of a lit segment.
    TColor ColorOn() const { return m_colorOn; }
    /// Sets the fill of lit segments; repaints at once.
    void setColorOn(TColor c);

    /// Fill of an unlit segment.
    TColor ColorOff() const { return m_colorOff; }
    /// Sets the fill of unlit segments; repaints at once.
    void setColorOff(TColor c);

    /// Background colour, also the outline of every segment.
    TColor Color() const { return m_color; }
    /// Sets the background colour; repaints at once.
    void setColor(TColor c);

    /// Half the segment thickness in pixels.
    int Thickness() const { return m_thickness; }
    /// Accepts `t` only if it is at most Width div 2 and Height div 2; repaints later.
    void setThickness(int t);

    /// Gap in pixels between neighbouring segments.
    int Separation() const { return m_separation; }
    /// Stores `s` as given; repaints later.
    void setSeparation(int s);

    /// The frame style; kept for stored forms, the drawing does not depend on it.
    TBorderStyle BorderStyle() const { return m_borderStyle; }
    /// Sets the frame style; repaints at once.
    void setBorderStyle(TBorderStyle style);

    /// Fired by setValue when it is given a number outside 0..9.
    TNotifyEvent OnOverflow;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void repaintNow();
    /// The whole control drawn with pattern `pattern` in the current colours and shape, for the
    /// device pixel ratio `dpr`: drawn once, then kept until the look changes.
    const QImage& Face(uint8_t pattern, qreal dpr);

    // The run clock repaints a digit every 10 ms with one of ten patterns: each pattern's face is
    // drawn once and then only copied, as long as what it was drawn with stays the same.
    struct FaceLook {
        QRgb on = 0, off = 0, background = 0;
        int thickness = 0, separation = 0;
        QSize size;
        qreal dpr = 0;
        bool operator==(const FaceLook&) const = default;
    };
    FaceLook m_faceLook;
    std::array<QImage, 256> m_faces;

    int m_value = InitialValue;
    uint8_t m_valueBinary = InitialValueBinary;
    TColor m_colorOn = InitialColorOn;
    TColor m_colorOff = InitialColorOff;
    TColor m_color = InitialColor;
    int m_thickness = InitialThickness;
    int m_separation = InitialSeparation;
    TBorderStyle m_borderStyle = InitialBorderStyle;
};
