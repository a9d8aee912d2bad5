#pragma once

#include <QString>

#include <cstdint>

/// What kind of fault the event store met.
enum class StoreErrorKind : uint8_t {
    None,
    NotAnEvent,    ///< the file is no event database (another file, random bytes)
    NewerSchema,   ///< written by a newer program
    Damaged,       ///< the database is corrupt or cut short
    NotWritable,   ///< folder or file read-only, or no permission
    DiskFull,      ///< the disk (or the database's size limit) is full
    AlreadyExists, ///< a new event was to be created over an existing file
    Other          ///< any other fault, the message says which
};

/// A fault of the event store: its kind and a German message that names the file. Empty (kind
/// None) when all went well.
struct StoreError {
    StoreErrorKind kind = StoreErrorKind::None;
    QString message;

    /// True when there is a fault.
    explicit operator bool() const { return kind != StoreErrorKind::None; }
};
