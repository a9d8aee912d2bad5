#pragma once

#include "live/LiveQrCode.h"

#include <QRect>
#include <QWidget>

#include <optional>

/// Where a QR code's modules go in a square widget.
struct QrPlacement {
    int modulePx = 0; ///< pixels per module (whole pixels keep the edges sharp)
    QRect code;       ///< the modules, without the quiet zone
};

/// The modules of a `modules`-wide code centred in `area` with a quiet zone of four modules on every
/// side, as large as whole pixels allow; a zero module size when it does not fit.
QrPlacement placeQrCode(const QRect& area, int modules);

/// Shows a QR code: dark modules on white with its quiet zone, sharp at any size.
class LiveQrView : public QWidget {
    Q_OBJECT

public:
    /// Large enough to be read from a metre away with a phone's camera.
    static constexpr int MinimumSide = 400;

    explicit LiveQrView(QWidget* parent = nullptr);

    /// The text to encode; empty shows nothing.
    void setText(const QByteArray& text);
    /// The text encoded now.
    QByteArray text() const { return m_text; }
    /// The code shown now, if any.
    const std::optional<LiveQrCode>& code() const { return m_code; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QByteArray m_text;
    std::optional<LiveQrCode> m_code;
};
