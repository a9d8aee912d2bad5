#pragma once

#include <QDate>
#include <QString>

/// The folder events are kept in: `$XDG_DATA_HOME/vantro/events` (default `~/.local/share`).
QString defaultEventFolder();

/// A path in `folder` for a new event named by its date ("2026-05-17.vantro"), with "-2", "-3", ...
/// added when an event of that name exists already.
QString newEventFilePath(const QString& folder, const QDate& date);

/// The extension of event files, with the dot.
inline constexpr char EventFileExtension[] = ".vantro";
