#include "app/settings.h"

#include <algorithm>
#include <cstring>

#include "app/app_state.h"

namespace {

void CopyToPathField(char* field, const std::string& text) {
    std::memset(field, 0, PathFieldSize);
    AppendToPathField(field, PathFieldSize, text.c_str());
}

// The two directions between the window's fields and the file's values;
// each path is cut to its field on the way in.
QuilletSettings SettingsOf(const AppState& state) {
    return {state.settingsPath, state.controllerId, state.saveFolder};
}

void HoldSettings(AppState& state, const QuilletSettings& settings) {
    CopyToPathField(state.settingsPath, settings.path);
    state.controllerId = settings.controllerId;
    CopyToPathField(state.saveFolder, settings.saveFolder);
}

}  // namespace

void AppendToPathField(char* field, size_t fieldSize, const char* text) {
    const size_t used = std::strlen(field);
    if (used + 1 >= fieldSize) return;
    const size_t taken = std::min(std::strlen(text), fieldSize - used - 1);
    std::memcpy(field + used, text, taken);
    field[used + taken] = '\0';
}

void SetUpSettingsPaths(AppState& state) { HoldSettings(state, LocateSettings(true)); }

void LoadSettings(AppState& state) {
    QuilletSettings settings = SettingsOf(state);
    ReadSettings(settings);
    HoldSettings(state, settings);
}

void StoreSettings(const AppState& state) { WriteSettings(SettingsOf(state)); }

std::string BackupFolder(const AppState& state) { return CopiesFolder(state.settingsPath); }
