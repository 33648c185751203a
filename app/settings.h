// The per-user settings file: the selected controller and the folder the
// configuration-file dialogs open in.
#pragma once

#include <cstddef>
#include <string>

struct AppState;

constexpr const char* FallbackSettingsFile = "Lantrel.ini";
constexpr const char* SettingsSection = "Settings";

// Finds the settings file's path and the default folder of the dialogs.
void SetUpSettingsPaths(AppState& state);
void LoadSettings(AppState& state);
void StoreSettings(const AppState& state);

// "Backups" beside the settings file: where copies of the driver's values
// go before a command replaces them.
std::string BackupFolder(const AppState& state);

// Appends text to the NUL-terminated path in a field of fieldSize bytes,
// cutting it so that the terminator always fits.
void AppendToPathField(char* field, size_t fieldSize, const char* text);
