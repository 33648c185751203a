#include "app/settings.h"

#include "app/app_state.h"

// The settings file is not kept yet: these come with the settings work.
void SetUpSettingsPaths(AppState&) {}
void LoadSettings(AppState&) {}
void StoreSettings(const AppState&) {}
