// The menu commands Open File... and Save As...: the file dialogs, and what
// the user is told when a configuration file is refused or cannot be saved.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

struct AppState;

constexpr const char* OpenConfigFileTitle = "Open I/O Config File";
constexpr const char* SaveConfigFileTitle = "Save I/O Config File";
constexpr const char* ConfigFileExtension = "tvxio";
constexpr DWORD OpenConfigFileFlags = OFN_CREATEPROMPT | OFN_HIDEREADONLY;
constexpr DWORD SaveConfigFileFlags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY;
static_assert(OpenConfigFileFlags == 0x2004 && SaveConfigFileFlags == 0x0006);

// Shown when a load is refused, when a save fails, and when a file dialog
// fails rather than being cancelled.
std::string DamagedValueText(const std::string& path, const std::string& key);
std::string NoRecordsText(const std::string& path, const std::string& key);
std::string SaveFailureText(const std::string& path, uint32_t error);
std::string FileDialogFailureText(uint32_t dialogError);

// Runs the open or save dialog with an empty file name in path (a field of
// PathFieldSize characters). When a file was chosen, its folder becomes the
// folder the next dialog opens in. A dialog that fails says so.
bool PromptIoConfigFileName(HWND window, AppState& state, char* path, const char* title, bool opening);

void LoadIoConfigFile(HWND window, AppState& state);
void SaveIoConfigFile(HWND window, AppState& state);
