#include "sortgrid/CellBitmaps.h"

#include <QColor>

namespace cellbitmaps {

namespace {

const QRgb kFace = qRgb(0xC0, 0xC0, 0xC0);
const QRgb kLight = qRgb(0xFF, 0xFF, 0xFF);
const QRgb kShadow = qRgb(0x80, 0x80, 0x80);
const QRgb kDark = qRgb(0x00, 0x00, 0x00);

QImage Blank(int w, int h, QRgb fill) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(fill);
    return img;
}

QImage CheckBox(bool ticked) {
    QImage img = Blank(10, 10, kLight);
    for (int i = 0; i < 10; ++i) {
        img.setPixel(i, 0, kShadow);
        img.setPixel(0, i, kShadow);
        img.setPixel(i, 9, kDark);
        img.setPixel(9, i, kDark);
    }
    if (ticked) {
        // A tick two pixels thick: down from (2,4) to (4,6), then up to (7,3).
        const int pts[][2] = {{2, 4}, {3, 5}, {4, 6}, {5, 5}, {6, 4}, {7, 3}};
        for (const auto& p : pts) {
            img.setPixel(p[0], p[1], kDark);
            img.setPixel(p[0], p[1] + 1, kDark);
        }
    }
    return img;
}

QImage Button16() {
    QImage img = Blank(16, 16, kFace);
    for (int i = 0; i < 16; ++i) {
        img.setPixel(i, 0, kLight);
        img.setPixel(0, i, kLight);
        img.setPixel(i, 15, kDark);
        img.setPixel(15, i, kDark);
        if (i > 0 && i < 15) {
            img.setPixel(i, 14, kShadow);
            img.setPixel(14, i, kShadow);
        }
    }
    return img;
}

QImage ComboBoxImage() {
    QImage img = Button16();
    // A downward arrow, 7 pixels wide at the top, centred.
    for (int row = 0; row < 4; ++row)
        for (int x = 4 + row; x <= 10 - row; ++x)
            img.setPixel(x, 6 + row, kDark);
    return img;
}

QImage EllipsisImage() {
    QImage img = Button16();
    for (int dot = 0; dot < 3; ++dot)
        for (int dx = 0; dx < 2; ++dx)
            for (int dy = 0; dy < 2; ++dy)
                img.setPixel(3 + dot * 4 + dx, 10 + dy, kDark);
    return img;
}

QImage Triangle(bool up) {
    QImage img(8, 7, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    // Rows of a triangle 7 wide at its base, 4 high, standing in the middle of the bitmap.
    for (int row = 0; row < 4; ++row) {
        const int y = up ? 1 + row : 5 - row;
        for (int x = 3 - row; x <= 3 + row; ++x)
            img.setPixel(x, y, kShadow);
    }
    return img;
}

} // namespace

const QImage& Checked() {
    static const QImage img = CheckBox(true);
    return img;
}

const QImage& Unchecked() {
    static const QImage img = CheckBox(false);
    return img;
}

const QImage& ComboBox() {
    static const QImage img = ComboBoxImage();
    return img;
}

const QImage& Ellipsis() {
    static const QImage img = EllipsisImage();
    return img;
}

const QImage& Up() {
    static const QImage img = Triangle(true);
    return img;
}

const QImage& Down() {
    static const QImage img = Triangle(false);
    return img;
}

} // namespace cellbitmaps
