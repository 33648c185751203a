#include "app/settings.h"

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "app/app_state.h"

namespace {

using SHGetFolderPathAProc = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPSTR);

// Looked up at run time rather than linked, as older systems lack it.
SHGetFolderPathAProc FindGetFolderPath() {
    HMODULE shell = GetModuleHandleA("shell32.dll");
    if (shell == nullptr) shell = LoadLibraryA("shell32.dll");
    if (shell == nullptr) return nullptr;
    return reinterpret_cast<SHGetFolderPathAProc>(
        reinterpret_cast<void (*)()>(GetProcAddress(shell, "SHGetFolderPathA")));
}

void CopyToPathField(char* field, const char* text) {
    field[0] = '\0';
    AppendToPathField(field, PathFieldSize, text);
}

void AppendFolderAndCreate(char* path, const char* folder) {
    AppendToPathField(path, PathFieldSize, folder);
    CreateDirectoryA(path, nullptr);
}

}  // namespace

void AppendToPathField(char* field, size_t fieldSize, const char* text) {
    const size_t used = std::strlen(field);
    if (used + 1 >= fieldSize) return;
    const size_t taken = std::min(std::strlen(text), fieldSize - used - 1);
    std::memcpy(field + used, text, taken);
    field[used + taken] = '\0';
}

void SetUpSettingsPaths(AppState& state) {
    std::memset(state.settingsPath, 0, sizeof state.settingsPath);
    std::strcpy(state.settingsPath, FallbackSettingsFile);
    state.saveFolder[0] = '\0';

    SHGetFolderPathAProc getFolderPath = FindGetFolderPath();
    if (getFolderPath == nullptr) return;

    char folder[MAX_PATH] = {};
    if (SUCCEEDED(getFolderPath(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr,
                                SHGFP_TYPE_CURRENT, folder))) {
        CopyToPathField(state.settingsPath, folder);
        AppendFolderAndCreate(state.settingsPath, "\\Kestrix");
        AppendFolderAndCreate(state.settingsPath, "\\Utilities");
        AppendToPathField(state.settingsPath, PathFieldSize, "\\quillet.ini");
    }
    char documents[MAX_PATH] = {};
    if (SUCCEEDED(getFolderPath(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, documents)))
        CopyToPathField(state.saveFolder, documents);
}

void LoadSettings(AppState& state) {
    state.controllerId = static_cast<int32_t>(
        GetPrivateProfileIntA(SettingsSection, "ControllerID", 0, state.settingsPath));
    char folder[PathFieldSize] = {};
    if (GetPrivateProfileStringA(SettingsSection, "SaveToFolder", "", folder, sizeof folder,
                                 state.settingsPath) != 0)
        CopyToPathField(state.saveFolder, folder);
}

void StoreSettings(const AppState& state) {
    char controller[32];
    std::snprintf(controller, sizeof controller, "%d", static_cast<int>(state.controllerId));
    WritePrivateProfileStringA(SettingsSection, "ControllerID", controller, state.settingsPath);
    WritePrivateProfileStringA(SettingsSection, "SaveToFolder", state.saveFolder, state.settingsPath);
}

std::string BackupFolder(const AppState& state) {
    std::string folder = state.settingsPath;
    const size_t nameStart = folder.find_last_of('\\');
    folder.erase(nameStart == std::string::npos ? 0 : nameStart + 1);
    return folder + "Backups";
}
