#pragma once

#include <array>

/// The steps of the main window's creation, in the order they run. The order matters: the title
/// names the settings key before the settings are read, the ports are scanned while the configured
/// one is still free, and the date panel shows the time before the window appears.
enum class CreationStep {
    SetTitle = 1,          ///< the application title from the program file's name
    RegistryKey,           ///< "\Software\" + title
    DefaultDocument,       ///< the program file with ".doc"
    DefaultSounds,         ///< the default sound file names
    ReadSettings,          ///< the settings, with the window's size
    HelpFile,              ///< the program file with ".html"
    ApplyResolution,       ///< the time row's shape for the stored resolution
    ScanComPorts,          ///< which serial ports are there
    DialogFolder,          ///< the save and open dialogs start in the program's folder
    ShowZero,              ///< zero on the time and the speed row
    UpdateDate,            ///< the date panel, once
    OpenPort,              ///< the light barrier's port, errors ignored
    UpdateProtocolButtons, ///< the protocol buttons that need a protocol
    GridHeader,            ///< "Who", "Time", "Speed", "Note"
    Hints,                 ///< the hints of the clear and open buttons
    CreateSpreadsheet,     ///< the spreadsheet component
    ColumnWidths,          ///< the protocol's column widths
};

/// The steps of the main window's destruction, in the order they run.
enum class DestructionStep {
    DestroySpreadsheet = 1, ///< the spreadsheet component
    WriteSettings,          ///< every setting back to the settings key
    ClosePort,              ///< the light barrier's port
};

/// Every creation step in its order.
constexpr std::array<CreationStep, 17> CreationOrder = {
    CreationStep::SetTitle,
    CreationStep::RegistryKey,
    CreationStep::DefaultDocument,
    CreationStep::DefaultSounds,
    CreationStep::ReadSettings,
    CreationStep::HelpFile,
    CreationStep::ApplyResolution,
    CreationStep::ScanComPorts,
    CreationStep::DialogFolder,
    CreationStep::ShowZero,
    CreationStep::UpdateDate,
    CreationStep::OpenPort,
    CreationStep::UpdateProtocolButtons,
    CreationStep::GridHeader,
    CreationStep::Hints,
    CreationStep::CreateSpreadsheet,
    CreationStep::ColumnWidths,
};

/// Every destruction step in its order.
constexpr std::array<DestructionStep, 3> DestructionOrder = {
    DestructionStep::DestroySpreadsheet,
    DestructionStep::WriteSettings,
    DestructionStep::ClosePort,
};
