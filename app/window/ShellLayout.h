#pragma once

#include <QDateTime>
#include <QLocale>
#include <QRect>
#include <QSize>
#include <QString>

/// Geometry of the window's frame: the top bar with its buttons, logo, status room and date panel,
/// and the smallest size at which every control of the run stays reachable. Pixels of the client
/// area.
namespace ShellLayout {

constexpr int TopBarHeight = 33;
/// Top bar buttons: help, exit (settings at 4, 4, 133 x 26).
constexpr QRect HelpButton{144, 4, 51, 26};
constexpr QRect ExitButton{201, 4, 88, 26};
/// Left edge of the "Vantro" logo.
constexpr int LogoLeft = 303;
/// The date panel keeps this distance from the bar's right edge.
constexpr int DatePanelRightMargin = 2;
constexpr QSize DatePanelSize{222, 32};
/// Gap between the status room and its neighbours (logo, date panel).
constexpr int StatusGap = 8;

/// Top of the input area in the left column, and the bottom of RESET, the lowest step of the run
/// buttons' staircase, inside it.
constexpr int InputAreaTop = 249;
constexpr int StaircaseBottom = 164 + 29;

/// The minimum size the window was designed with. At that height RESET lies below the window.
constexpr QSize DesignedMinimumSize{804, 445};
/// The minimum client size: the designed width, and a height that shows the whole staircase of run
/// buttons with the left column's bevel below it.
constexpr QSize MinimumClientSize{DesignedMinimumSize.width(),
                                  TopBarHeight + InputAreaTop + StaircaseBottom + 2};

/// The date panel in a top bar `barWidth` wide: at the right edge, keeping its distance from it.
QRect DatePanelRect(int barWidth);

/// The room between the logo (ending at `logoRight`) and the date panel where the light barrier's
/// status goes; empty when the bar is too narrow.
QRect StatusSlotRect(int barWidth, int logoRight);

/// The light barrier's status: the room its text gets besides the text itself, and the width it
/// keeps at least while there is room for it.
constexpr int BarrierStatusPadding = 12;
constexpr int BarrierStatusMinWidth = 220;

/// Where the light barrier's status goes in the top bar.
struct BarrierStatusPlace {
    /// The status's rectangle in the top bar.
    QRect rect;
    /// Whether the logo fits left of it; where it does not, the status takes its room.
    bool logoShown = true;
    /// Whether the text is wider than the rectangle and must be shortened.
    bool elided = false;
};

/// The status of a text `textWidth` pixels wide in a top bar `barWidth` wide, beside a logo
/// `logoWidth` wide: right-aligned before the date panel, as wide as the text needs (at least
/// BarrierStatusMinWidth where there is room). Right of the logo while the text fits there, else over
/// the logo's place up to the bar's buttons, and cut short only when even that is too narrow.
BarrierStatusPlace PlaceBarrierStatus(int barWidth, int textWidth, int logoWidth);

/// The date panel's text: the date and the time of `now` in the short formats of `locale`,
/// separated by three spaces ("08.12.26   09:05" in German); seconds are never shown.
QString DatePanelText(const QDateTime& now, const QLocale& locale = QLocale());

/// Whether closing the window must be confirmed: while a run is timed, or when the protocol grid
/// (`rowCount` rows, the header included) holds more than one line.
bool CloseNeedsConfirmation(bool clockRunning, int rowCount);

/// The window size for a stored `size` on a screen whose free area is `available` (empty when
/// unknown): no larger than that area, except that the `designed` size always fits.
QSize StoredWindowSize(QSize size, QSize available, QSize designed);

} // namespace ShellLayout
