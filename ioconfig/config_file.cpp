#include "ioconfig/config_file.h"

#include <cstring>
#include <optional>
#include <string_view>

#include "app/app_state.h"
#include "app/startup.h"
#include "app/system_libraries.h"
#include "controller/driver_names.h"
#include "ioconfig/record_text.h"

namespace {

constexpr char FileFilter[] = "TVX I/O Config\0*.tvxio\0All files (*.*)\0*.*\0";
constexpr DWORD ProfileValueSize = 256;

void RememberFolder(AppState& state, const char* path, WORD fileNameOffset) {
    const size_t length = fileNameOffset < PathFieldSize ? fileNameOffset : PathFieldSize - 1;
    std::memcpy(state.saveFolder, path, length);
    state.saveFolder[length] = '\0';
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

// A value longer than the buffer comes back cut, perhaps inside a number:
// then only the numbers before its last blank are whole.
std::string_view WholeNumbers(std::string_view value) {
    if (value.size() < ProfileValueSize - 1) return value;
    while (!value.empty() && !IsBlank(value.back())) value.remove_suffix(1);
    return value;
}

// Empty when the key is missing or holds nothing.
std::string ReadProfileValue(const char* path, const std::string& key) {
    char value[ProfileValueSize] = {};
    const DWORD length = GetPrivateProfileStringA(ConfigFileSection, key.c_str(), "", value, sizeof value, path);
    return std::string(value, length);
}

void Warn(HWND window, const std::string& text) {
    MessageBoxA(window, text.c_str(), MainWindowTitle, MB_OK | MB_ICONWARNING);
}

}  // namespace

std::string DamagedValueText(const std::string& path, const std::string& key) {
    return "Quillet did not load the file\n" + path + "\nbecause the value of " + key +
           " is damaged.\nThe I/O configuration was not changed.";
}

std::string SaveFailureText(const std::string& path) {
    return "Quillet could not save the I/O configuration to the file\n" + path;
}

bool PromptIoConfigFileName(HWND window, char* path, const char* title, bool opening) {
    AppState& state = *GetAppState(window);
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

void LoadIoConfigFile(HWND window) {
    char path[PathFieldSize];
    if (!PromptIoConfigFileName(window, path, OpenConfigFileTitle, true)) return;
    AppState& state = *GetAppState(window);
    // Decoded into a copy: a refused load leaves the image as it was.
    IoConfigImage loaded = state.image;
    int axisCount = 0;
    for (int axis = 1; axis <= MaxAxisRecords; ++axis) {
        const std::string key = AxisValueName(axis);
        const std::string value = ReadProfileValue(path, key);
        if (value.empty()) break;
        const std::optional<AxisIoRecord> record = DecodeRecordText(WholeNumbers(value));
        if (!record) {
            Warn(window, DamagedValueText(path, key));
            return;
        }
        SetAxisRecord(loaded, axis, *record);
        axisCount = axis;
    }
    SetAxisCount(loaded, static_cast<uint16_t>(axisCount));
    state.image = loaded;
    state.imageValid = axisCount != 0;
    if (axisCount != 0) InvalidateRect(window, nullptr, TRUE);
}

void SaveIoConfigFile(HWND window) {
    char path[PathFieldSize];
    if (!PromptIoConfigFileName(window, path, SaveConfigFileTitle, false)) return;
    const AppState& state = *GetAppState(window);
    for (int axis = 1; axis <= AxisRecordsInUse(state.image); ++axis) {
        const std::string text = EncodeRecordText(GetAxisRecord(state.image, axis));
        // A file that refuses one key refuses the rest: said once.
        if (!WritePrivateProfileStringA(ConfigFileSection, AxisValueName(axis).c_str(), text.c_str(), path)) {
            Warn(window, SaveFailureText(path));
            return;
        }
    }
}
