// The per-user settings file as the window keeps it: the engine reads and
// writes it, and the window holds its values in the AppState's fields.
#pragma once

#include <cstddef>
#include <string>

#include "controller/quillet_settings.h"

struct AppState;

// Finds the settings file's path and the default folder of the dialogs,
// creating the file's folders when missing, and holds them with the default
// controller, 0, until the file is read.
void SetUpSettingsPaths(AppState& state);
void LoadSettings(AppState& state);
void StoreSettings(const AppState& state);

// Where the copies of the driver's values go before a command replaces them.
std::string BackupFolder(const AppState& state);

// Appends text to the NUL-terminated path in a field of fieldSize bytes,
// cutting it so that the terminator always fits.
void AppendToPathField(char* field, size_t fieldSize, const char* text);
