#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

/// How reading a file went.
enum class FileReadStatus {
    Read,       ///< the bytes are there
    Missing,    ///< no file of that name
    NotRegular, ///< a folder, FIFO, device or socket
    TooLarge,   ///< larger than the limit given
    Failed,     ///< it could not be opened or read
};

/// The outcome of `ReadRegularFile`.
struct FileReadResult {
    FileReadStatus Status = FileReadStatus::Failed;
    /// The whole file when `Status` is `Read`.
    QByteArray Bytes;
    /// Why it was not read (for the operator, in the interface's language), empty when it was.
    QString Error;
};

/// Reads a whole regular file of at most `maxSize` bytes. The file is opened without blocking, so
/// a FIFO or a device answers at once instead of waiting for a writer, and it is what was opened
/// that is checked, not the name. A file that grows past `maxSize` while it is read counts as too
/// large.
FileReadResult ReadRegularFile(const QString& fileName, qsizetype maxSize);

/// The reason behind an `errno` value for the operator, in the interface's language ("Kein Speicherplatz
/// mehr auf dem Gerät."); the system's text for values without one of ours.
QString errorText(int errorNumber);

} // namespace platform
