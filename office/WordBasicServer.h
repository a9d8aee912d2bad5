#pragma once

#include "office/Automation.h"

#include <QString>

namespace platform {

/// Where the word-processor server saves documents given without a folder.
struct WordBasicSettings {
    /// Folder for file names without one; empty: the user's documents folder.
    QString folder;
};

/// Registers the word-processor server as "Word.Basic" in `automation`: a document writer behind
/// the word processor's basic commands (names in any case):
/// - "AppMaximize", "AppMinimize": the window state; a document saved while the application is
///   maximised is opened once with `ShowWrittenFile`, as the word processor would show it;
/// - "FileOpen"(name): opens the RTF document `name` (the template); the cursor is at its start;
/// - "Insert"(text): inserts text at the cursor; CR LF ends a paragraph;
/// - "LineUp"(count[, extend]): moves up, with `extend` not 0 selecting the text passed over;
/// - "TextToTable"(ConvertFrom, NumColumns), positional or named: turns the selection into a table
///   (see `RtfDocument::TextToTable`);
/// - "FileSaveAs"(name): saves the document as RTF under `name` (which word processors also open
///   under a ".doc" name); a name without folder goes to the settings' folder;
/// - "AppClose": ends the application; every later call fails.
void RegisterWordBasicServer(Automation& automation, WordBasicSettings settings);

} // namespace platform
