#pragma once

#include "sortgrid/WindowLayout.h"

#include <QString>
#include <optional>

/// Whether loading a protocol file takes the layout line's column widths and window layout.
enum class FileLayout { Skip, Use };

/// How loading a protocol file went.
struct ProtocolLoad {
    /// True when the file is in the grid now.
    bool Loaded = false;
    /// Why the file was refused (empty when loaded): the reading error, the conversion error's
    /// text, or "keine Protokolldatei".
    QString Reason;
    /// The window layout the file carried, when loaded with FileLayout::Use.
    std::optional<WindowLayout> Window;
};
