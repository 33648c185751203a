// The per-user settings file: the selected controller and the folder the
// configuration-file dialogs open in.
#pragma once

struct AppState;

// Finds the settings file's path and the default folder of the dialogs.
void SetUpSettingsPaths(AppState& state);
void LoadSettings(AppState& state);
void StoreSettings(const AppState& state);
