#pragma once

#include <QFont>
#include <QList>
#include <QString>
#include <QStringList>

namespace platform {

/// What a font family the window was designed with is drawn in.
struct FontSubstitute {
    /// The designed family, e.g. "Arial".
    QString Designed;
    /// The installed family with the same advance widths, e.g. "Liberation Sans".
    QString Family;
    /// Horizontal stretch in percent to apply to `Family` (a narrow family drawn condensed).
    int Stretch = 100;
};

/// The substitutes for the designed families (Arial, Arial Narrow, Courier New, Courier, Times New
/// Roman, MS Sans Serif) among `installedFamilies`. A designed family that is installed itself, or
/// whose metric-compatible family is not installed, gets no entry: the font system then picks its
/// own nearest font.
QList<FontSubstitute> designedFontSubstitutes(const QStringList& installedFamilies);

/// Registers the substitutes for the fonts installed on this machine with the font system, so that
/// a font asking for a designed family gets the metric-compatible one. Call once after the
/// application object exists; calling it again does no harm.
void installDesignedFonts();

/// A font of the designed `family` at `pixels` height, with the stretch its substitute needs (Arial
/// Narrow drawn as Liberation Sans condensed when no narrow family is installed).
QFont designedFont(const QString& family, int pixels);

} // namespace platform
