#include "app/window/TFDlgYesNo.h"

#include "platform/Dialogs.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>

QPixmap YesNoIcon(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF disc(1, 1, size - 2, size - 2);
    QRadialGradient fill(disc.center() - QPointF(size / 6.0, size / 6.0), size * 0.7);
    fill.setColorAt(0, QColor(0x6f, 0xa8, 0xf0));
    fill.setColorAt(1, QColor(0x1c, 0x4f, 0xa8));
    p.setPen(QPen(QColor(0x10, 0x30, 0x70), 1));
    p.setBrush(fill);
    p.drawEllipse(disc);
    QFont font(QStringLiteral("Liberation Serif"));
    font.setPixelSize(size * 3 / 4);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(disc, Qt::AlignCenter, QStringLiteral("?"));
    return pixmap;
}

TFDlgYesNo::TFDlgYesNo(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FDlgYesNo"));
    setWindowTitle(QApplication::applicationName());
    setFixedSize(222, 94);
    setWindowFlags((windowFlags() | Qt::MSWindowsFixedSizeDialogHint) & ~Qt::WindowContextHelpButtonHint);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(10, 12, 32, 32);
    Image1->setPixmap(YesNoIcon(32));

    LabQuestion = new QLabel(QStringLiteral("?"), this);
    LabQuestion->setObjectName(QStringLiteral("LabQuestion"));
    LabQuestion->setGeometry(46, 12, 169, 33);
    LabQuestion->setAlignment(Qt::AlignCenter);
    LabQuestion->setWordWrap(true);

    bYes = new QPushButton(tr("Ja"), this);
    bYes->setObjectName(QStringLiteral("bYes"));
    bYes->setGeometry(30, 58, 75, 25);
    bYes->setDefault(true);
    connect(bYes, &QPushButton::clicked, this, [this] { done(mrYes); });

    bNo = new QPushButton(tr("Nein"), this);
    bNo->setObjectName(QStringLiteral("bNo"));
    bNo->setGeometry(117, 58, 75, 25);
    connect(bNo, &QPushButton::clicked, this, &TFDlgYesNo::reject);
}

void TFDlgYesNo::reject() {
    done(mrNo);
}

int TFDlgYesNo::ShowModal() {
    if (QWidget* owner = parentWidget()) {
        const QRect area = owner->window()->frameGeometry();
        move(area.center() - rect().center());
    }
    bYes->setFocus();
    return platform::dialogs().execModal(*this);
}
