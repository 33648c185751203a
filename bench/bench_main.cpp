// Quillet's benchmarks: each measurement beside its floor, the least the
// platform needs for the same work, taken in the same run, interleaved.
// Usage: quillet_bench [repetitions [section]]: at least 10 repetitions
// (default 20); the section, start-up, editor, files, write or
// responsiveness, runs that one alone. Responsiveness is taken once, whatever
// the repetitions: its write alone lasts ~10 s.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/startup.h"
#include "bench/editor_timing.h"
#include "bench/failure.h"
#include "bench/file_timing.h"
#include "bench/repetitions.h"
#include "bench/responsiveness_timing.h"
#include "bench/startup_timing.h"
#include "bench/write_timing.h"
#include "controller/library_binding.h"
#include "tests/support/settings_file.h"

namespace {

constexpr int DefaultRepetitions = 20;

struct BenchOptions {
    int repetitions = DefaultRepetitions;
    std::string section;  // empty: all of them
};

BenchOptions OptionsFrom(int argc, char** argv) {
    BenchOptions options;
    if (argc >= 2) options.repetitions = std::atoi(argv[1]);
    if (options.repetitions < FewestRepetitions)
        FailBench("repetitions: a number of at least " + std::to_string(FewestRepetitions));
    if (argc >= 3) options.section = argv[2];
    if (!options.section.empty() && options.section != "start-up" && options.section != "editor" &&
        options.section != "files" && options.section != "write" && options.section != "responsiveness")
        FailBench("section: start-up, editor, files, write or responsiveness");
    return options;
}

bool Runs(const BenchOptions& options, const char* section) {
    return options.section.empty() || options.section == section;
}

struct DetailTable {
    std::string title;
    std::vector<ResultRow> rows;
};

// The rows of the targets and footprint table, and the tables that show
// where the time goes.
struct BenchReport {
    std::vector<ResultRow> targets;
    std::vector<ResultRow> footprint;
    std::vector<DetailTable> details;
};

// Quillet's real main window in this process, as start-up creates it
// (hidden), on the simulated board's libraries beside this program. The
// class is registered once for the sections that create one each.
HWND CreateQuilletWindow() {
    if (BindApiLibrary() != BindSucceeded || BindDialogLibrary() != BindSucceeded)
        FailBench("the simulated board's libraries are not beside the benchmark program");
    HINSTANCE instance = GetModuleHandleA(nullptr);
    InitCommonControls();
    static const ATOM windowClass = RegisterMainWindowClass(instance);
    if (windowClass == 0) FailBench("cannot register Quillet's window class");
    HWND window = CreateMainWindow(instance);
    if (window == nullptr) FailBench("cannot create Quillet's main window");
    return window;
}

void MeasureStartUp(int repetitions, BenchReport& report) {
    const StartUpRows startUp = MeasureStartUpAndFootprint(repetitions);
    report.targets.push_back(startUp.startUp);
    report.footprint.push_back(startUp.peakWorkingSet);
    report.footprint.push_back(startUp.programSize);
    report.details.push_back({"Start-up phases, each one's own time (probes running the same start-up)",
                              MeasureStartUpPhases(repetitions)});
}

void MeasureEditorOnWindow(int repetitions, BenchReport& report) {
    HWND quillet = CreateQuilletWindow();
    const std::vector<ResultRow> editor = MeasureEditor(quillet, repetitions);
    report.targets.insert(report.targets.end(), editor.begin(), editor.end());
    DestroyWindow(quillet);
}

void MeasureFileFunctions(int repetitions, BenchReport& report) {
    const std::vector<ResultRow> files = MeasureFiles(repetitions);
    report.targets.insert(report.targets.end(), files.begin(), files.end());
}

// On the simulated board, whose libraries are bound for the read-back.
void MeasureWriteCommand(int repetitions, BenchReport& report) {
    if (BindApiLibrary() != BindSucceeded) FailBench("the simulated board's libraries are not beside the benchmark program");
    WriteRows write = MeasureWrite(repetitions);
    report.targets.push_back(write.write);
    report.details.push_back({"Write's steps, each alone, beside the same bare store", write.steps});
}

void MeasureResponsivenessOnWindow(BenchReport& report) {
    // A window destroyed earlier in this run posted its quit message, which
    // would end this section's message loop.
    MSG quit;
    PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    HWND quillet = CreateQuilletWindow();
    const ResponsivenessRows rows = MeasureResponsiveness(quillet);
    report.targets.insert(report.targets.end(), rows.targets.begin(), rows.targets.end());
    report.details.push_back({"Responsiveness: WM_NULL sent every 20 ms from a second thread, answered within 5 s",
                              rows.probes});
    DestroyWindow(quillet);
}

void PrintReport(const BenchReport& report, int repetitions) {
    std::printf(
        "Medians of %d repetitions, Quillet and floor interleaved, after %d uncounted rounds; "
        "spread is the interquartile range over the median.\n",
        repetitions, WarmUpRounds);
    std::vector<ResultRow> rows = report.targets;
    rows.insert(rows.end(), report.footprint.begin(), report.footprint.end());
    PrintResultTable("Targets and footprint", rows);
    for (const DetailTable& table : report.details) PrintResultTable(table.title, table.rows);
}

}  // namespace

int main(int argc, char** argv) {
    const BenchOptions options = OptionsFrom(argc, argv);
    // The default board, no call log, and no settings left by anyone else.
    SetEnvironmentVariableA("KXSIM_BOARD", nullptr);
    SetEnvironmentVariableA("KXSIM_LOG", nullptr);
    const std::string settingsFile = SettingsFilePath();
    DeleteFileA(settingsFile.c_str());

    BenchReport report;
    if (Runs(options, "start-up")) MeasureStartUp(options.repetitions, report);
    if (Runs(options, "editor")) MeasureEditorOnWindow(options.repetitions, report);
    if (Runs(options, "files")) MeasureFileFunctions(options.repetitions, report);
    if (Runs(options, "write")) MeasureWriteCommand(options.repetitions, report);
    if (Runs(options, "responsiveness")) MeasureResponsivenessOnWindow(report);
    DeleteFileA(settingsFile.c_str());
    PrintReport(report, options.repetitions);
    return 0;
}
