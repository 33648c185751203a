// Quillet's per-user settings file: the selected controller and the folder
// the configuration-file dialogs open in. The window and tvxio both read it;
// beside it lies the folder of the copies of stored values.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Paths live in fields of this many characters, the terminator included.
constexpr size_t PathFieldSize = 260;

constexpr const char* FallbackSettingsFile = "Lantrel.ini";
constexpr const char* SettingsSection = "Settings";

struct QuilletSettings {
    std::string path = FallbackSettingsFile;  // the settings file
    int32_t controllerId = 0;
    std::string saveFolder;  // where the file dialogs open
};

// The settings file's path under the application-data folder and, as the
// dialogs' folder, the documents folder; the defaults where either cannot
// be found. With createFolders the file's folders are made when missing, as
// the window, which writes the file, needs; tvxio only reads it.
QuilletSettings LocateSettings(bool createFolders);

// Lays the file's values over settings: a missing key keeps its default.
void ReadSettings(QuilletSettings& settings);
// Writes both keys; failures are not reported.
void WriteSettings(const QuilletSettings& settings);

// "Backups" beside the settings file: where the copies of a controller's
// stored values go before a command replaces them.
std::string CopiesFolder(const std::string& settingsPath);
