#include "live/LiveQrCode.h"

#include <qrencode.h>

#include <memory>

std::optional<LiveQrCode> makeLiveQrCode(const QByteArray& text) {
    if (text.isEmpty())
        return std::nullopt;
    std::unique_ptr<QRcode, decltype(&QRcode_free)> code(
        QRcode_encodeString8bit(text.constData(), 0, QR_ECLEVEL_M), &QRcode_free);
    if (!code)
        return std::nullopt;
    LiveQrCode qr;
    qr.size = code->width;
    qr.modules.resize(qsizetype(qr.size) * qr.size);
    for (qsizetype i = 0; i < qr.modules.size(); ++i)
        qr.modules[i] = (code->data[i] & 1) != 0; // the lowest bit is the module's colour
    return qr;
}
