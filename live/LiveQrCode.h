#pragma once

#include <QByteArray>
#include <QList>

#include <optional>

/// A QR code as a square of modules (dark or light), without its quiet zone.
struct LiveQrCode {
    int size = 0;        ///< modules per side
    QList<bool> modules; ///< row by row, true for dark

    /// True for a dark module; false outside the code.
    bool dark(int x, int y) const {
        return x >= 0 && y >= 0 && x < size && y < size && modules[qsizetype(y) * size + x];
    }
};

/// The QR code of `text` (error correction level M, the smallest version that holds it); nothing
/// when the text is empty or too long for a QR code.
std::optional<LiveQrCode> makeLiveQrCode(const QByteArray& text);
