#include "bench/file_timing.h"

#include <commctrl.h>
#include <commdlg.h>

#include <array>
#include <cstring>
#include <string>

#include "app/app_state.h"
#include "bench/bench_folder.h"
#include "bench/clock.h"
#include "bench/failure.h"
#include "bench/import_clocks.h"
#include "bench/repetitions.h"
#include "ioconfig/store_names.h"
#include "app/file_commands.h"
#include "ioconfig/record_text.h"
#include "res/resource.h"
#include "tests/support/axis_records.h"
#include "tests/support/held_axes.h"
#include "tests/support/modal_answerer.h"

namespace {

constexpr int AxesInFile = MaxAxisRecords;
constexpr int FileNameBox = 0x47C;  // cmb13 of the common file dialog
constexpr DWORD ProfileValueSize = 256;
constexpr char FileFilter[] = "TVX I/O Config\0*.tvxio\0All files (*.*)\0*.*\0";

using AxisTexts = std::array<std::string, AxesInFile>;

// Save As then Open File on Quillet's window.
struct CommandPairTimes {
    double whole = 0;
    double ownWork = 0;
    ProfileCallTally profileCalls;
};

// The floor: the same dialogs answered alike, and the bare calls.
struct FloorTimes {
    double withDialogs = 0;
    double bareCalls = 0;
    ProfileCallTally profileCalls;
};

ProfileCallTally operator-(const ProfileCallTally& later, const ProfileCallTally& earlier) {
    return {later.calls - earlier.calls, later.milliseconds - earlier.milliseconds};
}

ProfileCallTally operator+(const ProfileCallTally& one, const ProfileCallTally& other) {
    return {one.calls + other.calls, one.milliseconds + other.milliseconds};
}

bool HoldsAxesSavedWith(const AppState& state, int salt) {
    if (GetAxisCount(state.image) != AxesInFile) return false;
    for (int axis = 1; axis <= AxesInFile; ++axis)
        if (GetAxisRecord(state.image, axis).bytes != Patterned(axis, salt).bytes) return false;
    return true;
}

HWND FileNameField(HWND dialog) {
    return reinterpret_cast<HWND>(SendMessageA(GetDlgItem(dialog, FileNameBox), CBEM_GETEDITCONTROL, 0, 0));
}

// Types the path into the file-name field and presses the default button.
void AnswerFileDialog(HWND dialog, const std::string& path) {
    if (GetDlgItem(dialog, FileNameBox) == nullptr) FailBench("unexpected dialog: " + WindowText(dialog));
    SendMessageA(FileNameField(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    PressButton(dialog, IDOK);
}

// The profile calls counted are those of the command's own work: the
// dialog makes none of its own.
CommandPairTimes TimeFileCommand(HWND window, int command, const std::string& path) {
    ModalAnswerer answerer([&path](HWND dialog) { AnswerFileDialog(dialog, path); });
    const ProfileCallTally before = ProfileCallsSoFar();
    const double start = NowMilliseconds();
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(command, 0), 0);
    const double end = NowMilliseconds();
    if (answerer.DialogsAnswered() != 1 || LastFileDialogReturn() < start)
        FailBench("command " + std::to_string(command) + " showed no file dialog, or more than one");
    return {end - start, end - LastFileDialogReturn(), ProfileCallsSoFar() - before};
}

// The dialog Quillet shows, called directly: what the platform needs to ask
// for the file.
double TimeSameDialog(HWND owner, bool opening, const std::string& path, const std::string& folder) {
    char file[PathFieldSize] = {};
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = FileFilter;
    dialog.lpstrFile = file;
    dialog.nMaxFile = sizeof file;
    dialog.lpstrInitialDir = folder.c_str();
    dialog.lpstrTitle = opening ? OpenConfigFileTitle : SaveConfigFileTitle;
    dialog.Flags = opening ? OpenConfigFileFlags : SaveConfigFileFlags;
    dialog.lpstrDefExt = ConfigFileExtension;
    ModalAnswerer answerer([&path](HWND shown) { AnswerFileDialog(shown, path); });
    const double start = NowMilliseconds();
    const BOOL chosen = opening ? GetOpenFileNameA(&dialog) : GetSaveFileNameA(&dialog);
    const double end = NowMilliseconds();
    if (!chosen || path != file) FailBench("a file dialog did not return the path typed");
    return end - start;
}

double TimeBareWrites(const std::string& path, const AxisTexts& keys, const AxisTexts& values) {
    const double start = NowMilliseconds();
    for (int i = 0; i < AxesInFile; ++i)
        WritePrivateProfileStringA(ConfigFileSection, keys[i].c_str(), values[i].c_str(), path.c_str());
    return NowMilliseconds() - start;
}

double TimeBareReads(const std::string& path, const AxisTexts& keys) {
    char values[AxesInFile][ProfileValueSize];
    DWORD lengths[AxesInFile];
    const double start = NowMilliseconds();
    for (int i = 0; i < AxesInFile; ++i)
        lengths[i] = GetPrivateProfileStringA(ConfigFileSection, keys[i].c_str(), "", values[i],
                                              ProfileValueSize, path.c_str());
    const double time = NowMilliseconds() - start;
    // The file keeps each value without its trailing blank.
    for (DWORD length : lengths)
        if (length != RecordTextLength - 1) FailBench("the bare reads did not read back the values written");
    return time;
}

struct FileBench {
    HWND window;
    std::string folder;
    std::string path;
    AxisTexts keys;
    AxisTexts values;
};

FileBench PrepareFileBench(HWND window, const BenchFolder& folder) {
    AppState& state = *GetAppState(window);
    HoldAxes(state, AxesInFile, 0);
    FileBench bench{window, folder.Path() + "\\", folder.File("axes.tvxio"), {}, {}};
    for (int axis = 1; axis <= AxesInFile; ++axis) {
        bench.keys[axis - 1] = AxisValueName(axis);
        bench.values[axis - 1] = EncodeRecordText(GetAxisRecord(state.image, axis));
    }
    return bench;
}

// Both sides start from no file: the save dialog asks no question.
CommandPairTimes TimeQuilletCommands(const FileBench& bench) {
    AppState& state = *GetAppState(bench.window);
    HoldAxes(state, AxesInFile, 0);
    std::strcpy(state.saveFolder, bench.folder.c_str());
    DeleteFileA(bench.path.c_str());
    const CommandPairTimes save = TimeFileCommand(bench.window, IDM_SAVE_AS, bench.path);
    // Records other than those saved, which the open must replace.
    HoldAxes(state, AxesInFile, 1);
    const CommandPairTimes open = TimeFileCommand(bench.window, IDM_OPEN_FILE, bench.path);
    if (!HoldsAxesSavedWith(state, 0)) FailBench("Open File did not load the 16 axes Save As saved");
    return {save.whole + open.whole, save.ownWork + open.ownWork, save.profileCalls + open.profileCalls};
}

// The bare calls run where Quillet's do, right after a file dialog closed.
FloorTimes TimeFloor(const FileBench& bench) {
    DeleteFileA(bench.path.c_str());
    const double saveDialog = TimeSameDialog(bench.window, false, bench.path, bench.folder);
    const ProfileCallTally before = ProfileCallsSoFar();
    const double writes = TimeBareWrites(bench.path, bench.keys, bench.values);
    const ProfileCallTally written = ProfileCallsSoFar();
    const double openDialog = TimeSameDialog(bench.window, true, bench.path, bench.folder);
    const ProfileCallTally beforeReads = ProfileCallsSoFar();
    const double reads = TimeBareReads(bench.path, bench.keys);
    const ProfileCallTally calls = (written - before) + (ProfileCallsSoFar() - beforeReads);
    return {saveDialog + writes + openDialog + reads, writes + reads, calls};
}

}  // namespace

FileRows MeasureFiles(HWND quilletWindow, int repetitions) {
    ClockFileImports();
    const BenchFolder folder("files");
    const FileBench bench = PrepareFileBench(quilletWindow, folder);

    FileRows rows;
    rows.ownWork = {"Files: own work (after the dialogs)", "ms", {}, {}, 1.10};
    rows.wholeAgainstCalls = {"Files: whole commands vs bare calls", "ms", {}, {}, 0};
    rows.wholeAgainstDialogs = {"Files: whole commands vs same dialogs", "ms", {}, {}, 0};
    rows.insideCalls = {"own work: inside the profile calls", "ms", {}, {}, 0};
    rows.outsideCalls = {"own work: outside the profile calls", "ms", {}, {}, 0};
    rows.callCount = {"own work: profile calls made", "calls", {}, {}, 0};
    RunInterleaved(
        repetitions,
        [&](bool counted) {
            const CommandPairTimes times = TimeQuilletCommands(bench);
            if (!counted) return;
            rows.ownWork.quillet.push_back(times.ownWork);
            rows.wholeAgainstCalls.quillet.push_back(times.whole);
            rows.wholeAgainstDialogs.quillet.push_back(times.whole);
            rows.insideCalls.quillet.push_back(times.profileCalls.milliseconds);
            rows.outsideCalls.quillet.push_back(times.ownWork - times.profileCalls.milliseconds);
            rows.callCount.quillet.push_back(times.profileCalls.calls);
        },
        [&](bool counted) {
            const FloorTimes times = TimeFloor(bench);
            if (!counted) return;
            rows.ownWork.floor.push_back(times.bareCalls);
            rows.wholeAgainstCalls.floor.push_back(times.bareCalls);
            rows.wholeAgainstDialogs.floor.push_back(times.withDialogs);
            rows.insideCalls.floor.push_back(times.profileCalls.milliseconds);
            rows.outsideCalls.floor.push_back(times.bareCalls - times.profileCalls.milliseconds);
            rows.callCount.floor.push_back(times.profileCalls.calls);
        });
    return rows;
}
