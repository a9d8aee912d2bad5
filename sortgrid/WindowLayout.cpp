#include "sortgrid/WindowLayout.h"

#include <QScreen>
#include <QWidget>

WindowLayout WindowLayout::Of(const QWidget& window) {
    return WindowLayout{window.width(), window.height(), window.x(), window.y()};
}

WindowLayout WindowLayout::FromLayoutLine(const QStringList& items, int colCount) {
    auto edge = [](const QString& item) -> std::optional<int> {
        if (item == QLatin1String("-1"))
            return std::nullopt;
        return item.toInt();
    };
    return WindowLayout{items[0].toInt(), items[1].toInt(), edge(items[colCount + 2]),
                        edge(items[colCount + 3])};
}

void WindowLayout::ApplyTo(QWidget& window) const {
    const QScreen* screen = window.screen();
    const QRect area = screen ? screen->availableGeometry() : QRect();
    if (screen && Width >= area.width() && Height >= area.height()) {
        window.setWindowState(window.windowState() | Qt::WindowMaximized);
        return;
    }
    QPoint pos = window.pos();
    if (Left)
        pos.setX(*Left);
    if (Top)
        pos.setY(*Top);
    window.move(pos);
    window.resize(Width, Height);
}
