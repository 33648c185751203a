#include "bench/startup_timing.h"

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "app/startup.h"
#include "bench/bare_window.h"
#include "bench/bench_folder.h"
#include "bench/clock.h"
#include "bench/failure.h"
#include "bench/phase_stamps.h"
#include "bench/repetitions.h"
#include "res/resource.h"
#include "tests/support/process_window.h"

namespace {

constexpr DWORD LaunchTimeoutMilliseconds = 30000;
// After a program ends, Wine's server and desktop still tidy up after it for
// a while; the next start waits, so that it does not pay for that.
constexpr DWORD SettleMilliseconds = 250;
constexpr double KiB = 1024;

struct InstalledProgram {
    std::string path;
    std::string folder;
    const char* windowClass;
};

struct LaunchFigures {
    double startUpMilliseconds;
    double peakWorkingSetKiB;
};

// Idle does not promise a visible window: after WaitForInputIdle the
// window is looked for until it shows.
HWND WaitForVisibleWindow(const PROCESS_INFORMATION& process, const char* className) {
    WaitForInputIdle(process.hProcess, LaunchTimeoutMilliseconds);
    const double deadline = NowMilliseconds() + LaunchTimeoutMilliseconds;
    while (NowMilliseconds() < deadline) {
        if (HWND window = FindProcessWindow(process.dwProcessId, className, true)) return window;
        if (WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0) break;
    }
    return nullptr;
}

PROCESS_INFORMATION Launch(const InstalledProgram& program) {
    std::string commandLine = "\"" + program.path + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION created{};
    if (!CreateProcessA(program.path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        program.folder.c_str(), &startup, &created))
        FailBench("cannot start " + program.path);
    CloseHandle(created.hThread);
    created.hThread = nullptr;
    return created;
}

// Command 1100 runs to its end before the answer comes back; then the
// summary it invalidated is painted.
void ReadIoAndPaint(HWND window) {
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutA(window, WM_COMMAND, MAKEWPARAM(IDM_READ_IO, 0), 0, SMTO_NORMAL,
                             LaunchTimeoutMilliseconds, &answer))
        FailBench("the program did not answer command 1100");
    UpdateWindow(window);
}

double PeakWorkingSetKiB(HANDLE process) {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(process, &counters, sizeof counters))
        FailBench("cannot read a program's memory counters");
    return static_cast<double>(counters.PeakWorkingSetSize) / KiB;
}

void CloseAndWait(HWND window, HANDLE process) {
    PostMessageA(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process, LaunchTimeoutMilliseconds) == WAIT_OBJECT_0) return;
    TerminateProcess(process, 1);
    FailBench("a program did not end on WM_CLOSE");
}

struct Launched {
    PROCESS_INFORMATION process;
    HWND window;
    double start;
    double shown;
};

Launched LaunchUntilShown(const InstalledProgram& program) {
    const double start = NowMilliseconds();
    const PROCESS_INFORMATION process = Launch(program);
    HWND window = WaitForVisibleWindow(process, program.windowClass);
    const double shown = NowMilliseconds();
    if (window == nullptr) FailBench(program.path + " showed no window of class " + program.windowClass);
    return {process, window, start, shown};
}

void CloseLaunched(const Launched& launched) {
    CloseAndWait(launched.window, launched.process.hProcess);
    CloseHandle(launched.process.hProcess);
    Sleep(SettleMilliseconds);
}

LaunchFigures LaunchAndMeasure(const InstalledProgram& program) {
    const Launched launched = LaunchUntilShown(program);
    ReadIoAndPaint(launched.window);
    const double peak = PeakWorkingSetKiB(launched.process.hProcess);
    CloseLaunched(launched);
    return {launched.shown - launched.start, peak};
}

struct PhaseTime {
    std::string name;
    double milliseconds;
};

// Each phase's own time: from the previous stamp, the first from
// CreateProcess, and a last one from the last stamp to the window found.
std::vector<PhaseTime> ReadPhaseTimes(const std::string& stampFile, const Launched& launched) {
    std::vector<PhaseTime> phases;
    double previous = launched.start;
    std::FILE* file = std::fopen(stampFile.c_str(), "r");
    if (file == nullptr) FailBench("a probe program wrote no stamps");
    double stamp = 0;
    char name[64] = {};
    while (std::fscanf(file, "%lf %63[^\n]", &stamp, name) == 2) {
        phases.push_back({name, stamp - previous});
        previous = stamp;
    }
    std::fclose(file);
    phases.push_back({"to idle, window found", launched.shown - previous});
    return phases;
}

std::vector<PhaseTime> LaunchAndTimePhases(const InstalledProgram& probe, const std::string& stampFile) {
    DeleteFileA(stampFile.c_str());
    SetEnvironmentVariableA(StampFileVariable, stampFile.c_str());
    const Launched launched = LaunchUntilShown(probe);
    SetEnvironmentVariableA(StampFileVariable, nullptr);
    CloseLaunched(launched);
    return ReadPhaseTimes(stampFile, launched);
}

double FileSizeKiB(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA attributes{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &attributes))
        FailBench("cannot read the size of " + path);
    return static_cast<double>(attributes.nFileSizeLow) / KiB;
}

// A Quillet program with the simulated board's libraries beside it.
InstalledProgram InstallQuillet(const BenchFolder& folder, const char* program) {
    for (const char* file : {program, "kxapi32.dll", "kxdlg32.dll"})
        CopyOrFail(ProgramFolder() + "\\" + file, folder.File(file));
    return {folder.File(program), folder.Path(), MainWindowClassName};
}

InstalledProgram InstallBareWindow(const BenchFolder& folder, const char* program) {
    CopyOrFail(ProgramFolder() + "\\" + program, folder.File(program));
    return {folder.File(program), folder.Path(), BareWindowClassName};
}

BenchSide LaunchSide(const InstalledProgram& program, std::vector<double>& startUps,
                     std::vector<double>& peaks) {
    return [&program, &startUps, &peaks](bool counted) {
        const LaunchFigures figures = LaunchAndMeasure(program);
        if (!counted) return;
        startUps.push_back(figures.startUpMilliseconds);
        peaks.push_back(figures.peakWorkingSetKiB);
    };
}

}  // namespace

StartUpRows MeasureStartUpAndFootprint(int repetitions) {
    const BenchFolder quilletFolder("quillet");
    const BenchFolder bareFolder("bare");
    const InstalledProgram quillet = InstallQuillet(quilletFolder, "quillet.exe");
    const InstalledProgram bare = InstallBareWindow(bareFolder, "bare_window.exe");

    StartUpRows rows;
    rows.startUp = {"Start-up to idle, window shown", "ms", {}, {}, 1.10};
    rows.peakWorkingSet = {"Peak working set after a read", "KiB", {}, {}, 0};
    rows.programSize = {"Program file size", "KiB", {FileSizeKiB(quillet.path)}, {FileSizeKiB(bare.path)}, 0};
    RunInterleaved(repetitions, LaunchSide(quillet, rows.startUp.quillet, rows.peakWorkingSet.quillet),
                   LaunchSide(bare, rows.startUp.floor, rows.peakWorkingSet.floor));
    return rows;
}

namespace {

BenchSide PhaseSide(const InstalledProgram& probe, const std::string& stampFile, std::vector<ResultRow>& rows,
                    bool isQuillet) {
    return [&probe, stampFile, &rows, isQuillet](bool counted) {
        const std::vector<PhaseTime> phases = LaunchAndTimePhases(probe, stampFile);
        if (!counted) return;
        for (const PhaseTime& phase : phases) {
            auto row = std::find_if(rows.begin(), rows.end(), [&phase](const ResultRow& known) {
                return known.measurement == phase.name;
            });
            if (row == rows.end()) row = rows.insert(rows.end(), ResultRow{phase.name, "ms", {}, {}, 0});
            (isQuillet ? row->quillet : row->floor).push_back(phase.milliseconds);
        }
    };
}

}  // namespace

std::vector<ResultRow> MeasureStartUpPhases(int repetitions) {
    const BenchFolder quilletFolder("quillet-phases");
    const BenchFolder bareFolder("bare-phases");
    const InstalledProgram quillet = InstallQuillet(quilletFolder, "quillet_phases.exe");
    const InstalledProgram bare = InstallBareWindow(bareFolder, "bare_phases.exe");
    std::vector<ResultRow> rows;
    RunInterleaved(repetitions, PhaseSide(quillet, quilletFolder.File("stamps.txt"), rows, true),
                   PhaseSide(bare, bareFolder.File("stamps.txt"), rows, false));
    return rows;
}
