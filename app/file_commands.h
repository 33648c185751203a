// The menu commands Open File... and Save As...: the file dialogs, and what
// the user is told when a configuration file is refused or cannot be saved.
#pragma once

#include <windows.h>

#include <string>

struct AppState;

constexpr const char* OpenConfigFileTitle = "Open I/O Config File";
constexpr const char* SaveConfigFileTitle = "Save I/O Config File";
constexpr const char* ConfigFileExtension = "tvxio";
constexpr DWORD OpenConfigFileFlags = OFN_CREATEPROMPT | OFN_HIDEREADONLY;
constexpr DWORD SaveConfigFileFlags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY;
static_assert(OpenConfigFileFlags == 0x2004 && SaveConfigFileFlags == 0x0006);

// Shown when a load is refused, and when a save fails.
std::string DamagedValueText(const std::string& path, const std::string& key);
std::string SaveFailureText(const std::string& path);

// Runs the open or save dialog with an empty file name in path (a field of
// PathFieldSize characters). When a file was chosen, its folder becomes the
// folder the next dialog opens in.
bool PromptIoConfigFileName(HWND window, AppState& state, char* path, const char* title, bool opening);

void LoadIoConfigFile(HWND window, AppState& state);
void SaveIoConfigFile(HWND window, AppState& state);
