#include "controller/quillet_settings.h"

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>

#include "controller/system_library.h"

namespace {

using SHGetFolderPathAProc = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPSTR);

constexpr size_t LongestPath = PathFieldSize - 1;

// Looked up at run time rather than imported, as every system library
// Quillet does not need at start is: shell32 is loaded only once the
// settings are looked for (see SystemProcedure).
SHGetFolderPathAProc FindGetFolderPath() {
    return SystemProcedure<SHGetFolderPathAProc>("shell32.dll", "SHGetFolderPathA");
}

std::string CutToField(std::string path) {
    path.resize(std::min(path.size(), LongestPath));
    return path;
}

void AppendFolder(std::string& path, const char* folder, bool create) {
    path = CutToField(path + folder);
    if (create) CreateDirectoryA(path.c_str(), nullptr);
}

}  // namespace

QuilletSettings LocateSettings(bool createFolders) {
    QuilletSettings settings;
    SHGetFolderPathAProc getFolderPath = FindGetFolderPath();
    if (getFolderPath == nullptr) return settings;

    char folder[MAX_PATH] = {};
    const int appData = CSIDL_APPDATA | (createFolders ? CSIDL_FLAG_CREATE : 0);
    if (SUCCEEDED(getFolderPath(nullptr, appData, nullptr, SHGFP_TYPE_CURRENT, folder))) {
        settings.path = CutToField(folder);
        AppendFolder(settings.path, "\\Kestrix", createFolders);
        AppendFolder(settings.path, "\\Utilities", createFolders);
        settings.path = CutToField(settings.path + "\\quillet.ini");
    }
    char documents[MAX_PATH] = {};
    if (SUCCEEDED(getFolderPath(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, documents)))
        settings.saveFolder = CutToField(documents);
    return settings;
}

void ReadSettings(QuilletSettings& settings) {
    settings.controllerId = static_cast<int32_t>(
        GetPrivateProfileIntA(SettingsSection, "ControllerID", 0, settings.path.c_str()));
    char folder[PathFieldSize] = {};
    const DWORD length =
        GetPrivateProfileStringA(SettingsSection, "SaveToFolder", "", folder, sizeof folder, settings.path.c_str());
    if (length != 0) settings.saveFolder.assign(folder, length);
}

void WriteSettings(const QuilletSettings& settings) {
    char controller[32];
    std::snprintf(controller, sizeof controller, "%d", settings.controllerId);
    WritePrivateProfileStringA(SettingsSection, "ControllerID", controller, settings.path.c_str());
    WritePrivateProfileStringA(SettingsSection, "SaveToFolder", settings.saveFolder.c_str(), settings.path.c_str());
}

std::string CopiesFolder(const std::string& settingsPath) {
    std::string folder = settingsPath;
    const size_t nameStart = folder.find_last_of('\\');
    folder.erase(nameStart == std::string::npos ? 0 : nameStart + 1);
    return folder + "Backups";
}
