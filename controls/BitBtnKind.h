#pragma once

#include <QImage>
#include <QString>

/// The presets of a coloured button, in their stored order.
enum class TBitBtnWithColorKind {
    bkCustom,
    bkOK,
    bkCancel,
    bkHelp,
    bkYes,
    bkNo,
    bkClose,
    bkAbort,
    bkRetry,
    bkIgnore,
    bkAll
};

/// The number of presets, bkCustom included.
constexpr int BitBtnKindCount = 11;

/// What choosing a preset sets on a button.
struct TBitBtnKindPreset {
    /// Enter presses the button.
    bool Default;
    /// Esc presses the button.
    bool Cancel;
    /// The result a modal dialog ends with when the button is clicked.
    int ModalResult;
    /// The caption the preset gives the button.
    const char* Caption;
};

/// The preset of `kind`; bkCustom's row is all false, 0 and empty and is never applied.
const TBitBtnKindPreset& KindPreset(TBitBtnWithColorKind kind);

/// The glyph strip of `kind` (a normal and a disabled image side by side, 18 pixels wide each), drawn
/// on first use and shared by every button; an empty image for bkCustom. GUI thread only.
const QImage& KindGlyph(TBitBtnWithColorKind kind);
