#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace platform {

/// What a text file is for; a CSV file written in UTF-8 starts with a byte-order mark so that
/// spreadsheets take it as UTF-8.
enum class TextFileKind { Plain, Csv };

/// True when every character of `text` has a Windows-1252 byte.
bool FitsWindows1252(const QString& text);

/// The bytes a text file holds: Windows-1252 when every character fits, else UTF-8 (for a CSV
/// file with a byte-order mark).
QByteArray EncodeTextFile(const QString& text, TextFileKind kind);

/// The text of a file's bytes: UTF-8 (a leading byte-order mark dropped) when the bytes are valid
/// UTF-8, else Windows-1252.
QString DecodeTextFile(const QByteArray& bytes);

/// Replaces `fileName` with `text` (encoded as `EncodeTextFile` does) through a save file: the old
/// file stays as it was unless every byte was written. On failure returns false and puts the
/// reason, in German, into `error` when given ("Kein Speicherplatz mehr auf dem Gerät.").
bool WriteTextFile(const QString& fileName, const QString& text, TextFileKind kind, QString* error = nullptr);

/// The largest text file read (1 GiB), far beyond any protocol.
constexpr qsizetype MaxTextFileSize = qsizetype(1) << 30;

/// Reads and decodes a whole regular file of at most `MaxTextFileSize` bytes (see
/// `DecodeTextFile`), opened without blocking; nothing when it cannot be read (a FIFO, a device or
/// a folder included), with the reason in German in `error` when given.
std::optional<QString> ReadTextFile(const QString& fileName, QString* error = nullptr);

} // namespace platform
