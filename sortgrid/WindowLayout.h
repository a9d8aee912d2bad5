#pragma once

#include <QStringList>
#include <optional>

class QWidget;

/// A window's size and position as a protocol file's layout line carries them. The grid writes and
/// reads it; only the window it belongs to applies it.
struct WindowLayout {
    int Width = 0;
    int Height = 0;
    /// Left and top edge; absent where the file holds "-1".
    std::optional<int> Left;
    std::optional<int> Top;

    /// The size and position of `window` now.
    static WindowLayout Of(const QWidget& window);
    /// The window part of a layout line checked to hold whole numbers: items 0 and 1 and the two
    /// after the `colCount` column widths.
    static WindowLayout FromLayoutLine(const QStringList& items, int colCount);
    /// Puts the layout into effect on `window`: maximised when the size fills the screen's work
    /// area, else moved (where a position is given) and resized.
    void ApplyTo(QWidget& window) const;

    bool operator==(const WindowLayout&) const = default;
};
