#include "app/file_commands.h"

#include <commdlg.h>

#include <cstdio>
#include <cstring>

#include "app/app_state.h"
#include "app/message_box.h"
#include "app/system_libraries.h"
#include "controller/config_file.h"
#include "controller/system_error.h"

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

std::string NoRecordsText(const std::string& path, const std::string& key) {
    return "Quillet did not load the file\n" + path + "\nbecause it holds no " + key +
           " value.\nThe I/O configuration was not changed.";
}

std::string SaveFailureText(const std::string& path, uint32_t error) {
    return "Quillet could not save the I/O configuration to the file\n" + path + "\n" + SystemErrorText(error);
}

std::string FileDialogFailureText(uint32_t dialogError) {
    if (dialogError == FNERR_BUFFERTOOSMALL)
        return "Quillet could not use the file chosen: its path is longer than " +
               std::to_string(PathFieldSize - 1) + " characters.";
    char code[16];
    std::snprintf(code, sizeof code, "0x%04X", static_cast<unsigned>(dialogError));
    return std::string("The file dialog failed (common dialog error ") + code + ").";
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
    if (!RunFileDialog(dialog, opening)) {
        if (const DWORD error = FileDialogError()) Warn(window, FileDialogFailureText(error));
        return false;
    }
    RememberFolder(state, path, dialog.nFileOffset);
    return true;
}

void LoadIoConfigFile(HWND window, AppState& state) {
    char path[PathFieldSize];
    if (!PromptIoConfigFileName(window, state, path, OpenConfigFileTitle, true)) return;
    const ConfigFileRead read = ReadIoConfigFile(path, state.image);
    switch (read.status) {
        case ConfigFileReadStatus::Damaged: Warn(window, DamagedValueText(path, read.key)); return;
        case ConfigFileReadStatus::NoRecords: Warn(window, NoRecordsText(path, read.key)); return;
        case ConfigFileReadStatus::Read: break;
    }
    state.imageValid = true;
    InvalidateRect(window, nullptr, TRUE);
}

void SaveIoConfigFile(HWND window, AppState& state) {
    char path[PathFieldSize];
    if (!PromptIoConfigFileName(window, state, path, SaveConfigFileTitle, false)) return;
    // A file that refuses one key refuses the rest: said once.
    if (const uint32_t error = WriteIoConfigFile(path, state.image)) Warn(window, SaveFailureText(path, error));
}
