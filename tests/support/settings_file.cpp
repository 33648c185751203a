#include "tests/support/settings_file.h"

#include "app/app_state.h"
#include "app/settings.h"

std::string SettingsFilePath() {
    AppState probe{};
    SetUpSettingsPaths(probe);
    return probe.settingsPath;
}
