#include "app/file_commands.h"

#include <commdlg.h>

#include <cstring>

#include "app/app_state.h"
#include "app/driver_commands.h"
#include "app/held_assignments.h"
#include "app/message_box.h"
#include "app/messages.h"
#include "app/settings.h"
#include "app/summary_view.h"
#include "app/system_libraries.h"
#include "controller/config_file.h"
#include "controller/controller_io.h"
#include "controller/driver_update.h"
#include "controller/system_error.h"
#include "controller/whole_file.h"
#include "ioconfig/assignment_listing.h"
#include "ioconfig/io_map.h"
#include "ioconfig/messages.h"
#include "ioconfig/store_names.h"
#include "ioconfig/window_caption.h"

namespace {

// What a dialog offers: its filter and the extension a bare name gets.
struct FileKind {
    const char* filter;
    const char* extension;
};
constexpr FileKind ConfigFiles{"TVX I/O Config\0*.tvxio\0All files (*.*)\0*.*\0", ConfigFileExtension};
// The copies the driver commands keep, and nothing else of their folder.
constexpr FileKind Copies{"Copies of stored values\0controller*.tvxio\0", ConfigFileExtension};
constexpr FileKind IoMaps{"I/O map (*.html)\0*.html\0I/O map for Excel (*.csv)\0*.csv\0", "html"};
constexpr DWORD IoMapForExcel = 2;  // the filter chosen

void RememberFolder(AppState& state, const char* path, WORD fileNameOffset) {
    const size_t length = fileNameOffset < PathFieldSize ? fileNameOffset : PathFieldSize - 1;
    std::memcpy(state.saveFolder, path, length);
    state.saveFolder[length] = '\0';
}


// The dialog in `folder`, with `name` (none, or the file it offers) in path.
bool RunConfigFileDialog(HWND window, char* path, const char* title, bool opening, const char* folder,
                         WORD& fileNameOffset, const FileKind& kind = ConfigFiles, const std::string& name = "",
                         DWORD* filterChosen = nullptr) {
    std::memset(path, 0, PathFieldSize);
    name.copy(path, PathFieldSize - 1);
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = window;
    dialog.lpstrFilter = kind.filter;
    dialog.lpstrFile = path;
    dialog.nMaxFile = PathFieldSize;
    dialog.lpstrInitialDir = folder;
    dialog.lpstrTitle = title;
    dialog.Flags = opening ? OpenConfigFileFlags : SaveConfigFileFlags;
    dialog.lpstrDefExt = kind.extension;
    if (!RunFileDialog(dialog, opening)) {
        if (const DWORD error = FileDialogError()) Warn(window, FileDialogFailureText(error));
        return false;
    }
    fileNameOffset = dialog.nFileOffset;
    if (filterChosen != nullptr) *filterChosen = dialog.nFilterIndex;
    return true;
}

// The file's records go over a copy of the held image, whose other bytes
// they keep; a refused file leaves the window as it was.
void OpenChosenFile(HWND window, AppState& state, const char* path) {
    IoConfigImage image = state.image;
    const ConfigFileRead read = ReadIoConfigFile(path, image);
    switch (read.status) {
        case ConfigFileReadStatus::Damaged: Warn(window, DamagedValueText(path, read.key)); return;
        case ConfigFileReadStatus::NoRecords: Warn(window, NoRecordsText(path, read.key)); return;
        case ConfigFileReadStatus::Folder: Warn(window, FolderNotFileText(path)); return;
        case ConfigFileReadStatus::Unreadable: Warn(window, UnreadableFileText(path, read.error)); return;
        case ConfigFileReadStatus::Read: break;
    }
    std::vector<int> cut;
    ChannelLabels labels = ReadChannelLabels(path, &cut);
    // Said once the window shows the file, and kept in its status bar.
    const std::string cutSaid = cut.empty() ? "" : LongLabelsText(cut);
    if (!cut.empty()) state.held.statusLine = cutSaid;
    HoldAssignments(window, state, image, FileSource(path, std::move(labels)));
    if (!cut.empty()) Warn(window, cutSaid);
}

// As Open File opens the file chosen in its dialog.
void OpenNamedFile(HWND window, AppState& state, const std::string& path) {
    if (path.size() >= PathFieldSize) return Warn(window, FileDialogFailureText(FNERR_BUFFERTOOSMALL));
    RememberFolder(state, path.c_str(), static_cast<WORD>(path.size() - FileNameOf(path).size()));
    OpenChosenFile(window, state, path.c_str());
}

bool PutTextOnClipboard(HWND window, const std::string& text) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (memory == nullptr) return false;
    std::memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
    bool put = false;
    if (OpenClipboard(window)) {
        put = EmptyClipboard() && SetClipboardData(CF_TEXT, memory) != nullptr;
        CloseClipboard();
    }
    // The clipboard owns the memory only once it has taken it.
    if (!put) GlobalFree(memory);
    return put;
}

}  // namespace

bool PromptIoConfigFileName(HWND window, AppState& state, char* path, const char* title, bool opening) {
    WORD fileNameOffset = 0;
    // Saving offers the name of the file the assignments came from.
    const std::string offered = opening || state.held.readFrom ? "" : state.held.source;
    if (!RunConfigFileDialog(window, path, title, opening, state.saveFolder, fileNameOffset, ConfigFiles, offered))
        return false;
    RememberFolder(state, path, fileNameOffset);
    return true;
}

bool MayReplaceAssignments(HWND window, AppState& state) {
    if (!state.held.unsaved) return true;
    switch (ShowMessageBox(window, UnsavedChangesQuestion, MB_YESNOCANCEL | MB_ICONWARNING)) {
        case IDYES: return SaveIoConfigFile(window, state);
        case IDNO: return true;
        default: return false;  // Cancel, or no box to answer
    }
}

void LoadIoConfigFile(HWND window, AppState& state) {
    char path[PathFieldSize];
    if (!MayReplaceAssignments(window, state)) return;
    if (PromptIoConfigFileName(window, state, path, OpenConfigFileTitle, true)) OpenChosenFile(window, state, path);
}

void OpenBackupCopy(HWND window, AppState& state) {
    char path[PathFieldSize];
    WORD fileNameOffset = 0;
    if (!MayReplaceAssignments(window, state)) return;
    const std::string copies = BackupFolder(state);
    if (RunConfigFileDialog(window, path, OpenCopyTitle, true, copies.c_str(), fileNameOffset, Copies))
        OpenChosenFile(window, state, path);
}

// A drop while a Write or Reset runs is let go: it would replace what is
// being written.
void OpenDroppedFile(HWND window, AppState& state, HDROP drop) {
    const std::string path = FirstDroppedFile(window, drop);
    if (path.empty() || DriverCommandRunning(state) || !MayReplaceAssignments(window, state)) return;
    OpenNamedFile(window, state, path);
}

void OpenFileNamedOnCommandLine(HWND window, AppState& state, const std::vector<std::string>& words) {
    for (const std::string& word : words) {
        // The profile functions would take a bare name as one in the Windows folder.
        char path[PathFieldSize] = {};
        const DWORD length = GetFullPathNameA(word.c_str(), sizeof path, path, nullptr);
        const DWORD attributes = length != 0 && length < sizeof path ? GetFileAttributesA(path) : INVALID_FILE_ATTRIBUTES;
        if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
        return OpenNamedFile(window, state, path);
    }
}

// Asked for no name when there is nothing to save: no file is written and
// the caption names none.
bool SaveIoConfigFile(HWND window, AppState& state) {
    if (AxisRecordsInUse(state.image) == 0) {
        Warn(window, NothingToSaveText());
        return false;
    }
    char path[PathFieldSize];
    if (!PromptIoConfigFileName(window, state, path, SaveConfigFileTitle, false)) return false;
    // A file that refuses one key refuses the rest: said once.
    std::string differingKey;
    if (const uint32_t error = WriteIoConfigFile(path, state.image, state.held.labels, &differingKey)) {
        Warn(window, SaveFailureText(path, error, differingKey));
        return false;
    }
    HoldSavedFile(window, state, path);
    return true;
}

void CopySummaryToClipboard(HWND window, const AppState& state) {
    if (!state.imageValid) return;
    std::string text;
    for (const std::string& line : ListAssignments(state.image)) text += line + "\r\n";
    if (!PutTextOnClipboard(window, text)) Warn(window, ClipboardFailureText(LastErrorOr(ERROR_NOT_ENOUGH_MEMORY)));
}

// The page, or the CSV for Excel, as the dialog's filter says.
void ExportIoMap(HWND window, AppState& state) {
    if (!state.imageValid) return;
    char path[PathFieldSize];
    WORD fileNameOffset = 0;
    DWORD filter = 1;
    if (!RunConfigFileDialog(window, path, ExportMapTitle, false, state.saveFolder, fileNameOffset, IoMaps, "", &filter))
        return;
    const ControllerNumber controller = SelectedController(state);
    const std::optional<ChannelConfiguration> channels = ReadChannelConfiguration(controller);
    const std::vector<MappedChannel> map = MapChannels(state.image, channels, state.held.labels);
    std::string text = Utf8ByteOrderMark;
    if (filter == IoMapForExcel)
        for (const std::string& line : IoMapCsv(map, CsvFor::Excel)) text += line + "\r\n";
    else text = IoMapHtml(map, {state.held.source, channels ? ControllerNumberText(controller) : "", LocalDateText()});
    if (const uint32_t error = WriteWholeTextFile(path, text))
        return Warn(window, MapSaveFailureText(path, error));
    state.held.statusLine = MapSavedText(path);
    ShowHeldImage(window, state);
}
