#include "app/file_commands.h"

#include <commdlg.h>

#include <cstring>

#include "app/app_state.h"
#include "app/message_box.h"
#include "app/system_libraries.h"
#include "controller/config_file.h"

namespace {

constexpr char FileFilter[] = "TVX I/O Config\0*.tvxio\0All files (*.*)\0*.*\0";

void RememberFolder(AppState& state, const char* path, WORD fileNameOffset) {
    const size_t length = fileNameOffset < PathFieldSize ? fileNameOffset : PathFieldSize - 1;
    std::memcpy(state.saveFolder, path, length);
    state.saveFolder[length] = '\0';
}

void Warn(HWND window, const std::string& text) { ShowMessageBox(window, text, MB_OK | MB_ICONWARNING); }

}  // namespace

std::string DamagedValueText(const std::string& path, const std::string& key) {
    return "Quillet did not load the file\n" + path + "\nbecause the value of " + key +
           " is damaged.\nThe I/O configuration was not changed.";
}

std::string SaveFailureText(const std::string& path) {
    return "Quillet could not save the I/O configuration to the file\n" + path;
}

bool PromptIoConfigFileName(HWND window, AppState& state, char* path, const char* title, bool opening) {
    std::memset(path, 0, PathFieldSize);
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = window;
    dialog.lpstrFilter = FileFilter;
    dialog.lpstrFile = path;
    dialog.nMaxFile = PathFieldSize;
    dialog.lpstrInitialDir = state.saveFolder;
    dialog.lpstrTitle = title;
    dialog.Flags = opening ? OpenConfigFileFlags : SaveConfigFileFlags;
    dialog.lpstrDefExt = ConfigFileExtension;
    const BOOL chosen = RunFileDialog(dialog, opening);
    if (!chosen) return false;
    RememberFolder(state, path, dialog.nFileOffset);
    return true;
}

void LoadIoConfigFile(HWND window, AppState& state) {
    char path[PathFieldSize];
    if (!PromptIoConfigFileName(window, state, path, OpenConfigFileTitle, true)) return;
    const ConfigFileRead read = ReadIoConfigFile(path, state.image);
    if (!read.damagedKey.empty()) {
        Warn(window, DamagedValueText(path, read.damagedKey));
        return;
    }
    state.imageValid = read.axisCount != 0;
    if (read.axisCount != 0) InvalidateRect(window, nullptr, TRUE);
}

void SaveIoConfigFile(HWND window, AppState& state) {
    char path[PathFieldSize];
    if (!PromptIoConfigFileName(window, state, path, SaveConfigFileTitle, false)) return;
    // A file that refuses one key refuses the rest: said once.
    if (!WriteIoConfigFile(path, state.image)) Warn(window, SaveFailureText(path));
}
