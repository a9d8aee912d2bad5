#include "app/window/ShellLayout.h"

#include <QRegularExpression>

#include <algorithm>

namespace ShellLayout {

QRect DatePanelRect(int barWidth) {
    return QRect(QPoint(barWidth - DatePanelRightMargin - DatePanelSize.width(), 0), DatePanelSize);
}

QRect StatusSlotRect(int barWidth, int logoRight) {
    const int left = logoRight + StatusGap;
    const int right = DatePanelRect(barWidth).left() - StatusGap;
    return QRect(left, 0, std::max(0, right - left), TopBarHeight);
}

BarrierStatusPlace PlaceBarrierStatus(int barWidth, int textWidth, int logoWidth) {
    const int right = DatePanelRect(barWidth).left() - StatusGap;
    const int besideLogo = std::max(0, right - (LogoLeft + logoWidth + StatusGap));
    const int room = std::max(0, right - (ExitButton.right() + 1 + StatusGap));
    const int needed = textWidth + BarrierStatusPadding;
    const int wanted = std::max(needed, BarrierStatusMinWidth);
    BarrierStatusPlace place;
    // The logo only decorates; the status is what the operator needs to read.
    place.logoShown = needed <= besideLogo;
    const int width = std::min(wanted, place.logoShown ? besideLogo : room);
    place.rect = QRect(right - width, 4, width, TopBarHeight - 8);
    place.elided = needed > width;
    return place;
}

QString DatePanelText(const QDateTime& now, const QLocale& locale) {
    // Some locales' short time (the C locale's among them) carries seconds; the panel changes
    // every five seconds and shows the minute, so seconds are left out.
    static const QRegularExpression seconds(QStringLiteral("[.:]?s+(\\.z+)?"));
    QString timeFormat = locale.timeFormat(QLocale::ShortFormat);
    timeFormat.remove(seconds);
    return locale.toString(now.date(), QLocale::ShortFormat) + QStringLiteral("   ") +
           locale.toString(now.time(), timeFormat);
}

bool CloseNeedsConfirmation(bool clockRunning, int rowCount) {
    return clockRunning || rowCount > 2;
}

QSize StoredWindowSize(QSize size, QSize available, QSize designed) {
    if (available.isEmpty())
        return size;
    return size.boundedTo(available.expandedTo(designed));
}

} // namespace ShellLayout
