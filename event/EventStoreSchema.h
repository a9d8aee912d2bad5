#pragma once

#include <span>

/// One step of the event file's schema: the statements that take a file of the version before
/// to `version`.
struct SchemaStep {
    int version;
    const char* sql;
};

/// Every step from an empty file on, oldest first; the last one's version is the current schema.
std::span<const SchemaStep> eventSchemaSteps();

/// The value of `PRAGMA application_id` that marks an event file.
inline constexpr int EventApplicationId = 0x56414e54;
