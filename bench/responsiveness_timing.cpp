#include "bench/responsiveness_timing.h"

#include <algorithm>
#include <atomic>
#include <functional>
#include <string>

#include "app/app_state.h"
#include "app/driver_commands.h"
#include "app/messages.h"
#include "bench/bench_folder.h"
#include "bench/clock.h"
#include "bench/failure.h"
#include "ioconfig/store_names.h"
#include "res/resource.h"
#include "tests/support/modal_answerer.h"

namespace {

// A controller number no test uses. Its key is removed before and after, so
// the write finds nothing stored and makes no copy to clean up.
constexpr uint16_t BenchController = 77;
constexpr DWORD ProbeInterval = 20;
constexpr UINT ProbeTimeout = 5000;
constexpr double LongestAnswerAllowed = 100;
constexpr double WriteOverIdleAllowed = 2.0;

void RemoveBenchKey() {
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, DriverKeyPath(BenchController).c_str());
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, DriverKeyPath(BenchController).c_str());
}

// Written by the probe thread alone until it has ended. Only the probes sent
// while `counting` count towards the longest; all of them towards the
// longest of all.
struct Probe {
    HWND window;
    std::atomic<bool> stop{false};
    std::atomic<bool> counting{true};
    double longest = 0;
    double longestOfAll = 0;
    int answered = 0;
};

// A probe that timed out or failed has no answer time, so it is not counted.
DWORD WINAPI RunProbe(void* data) {
    auto& probe = *static_cast<Probe*>(data);
    for (; !probe.stop; Sleep(ProbeInterval)) {
        DWORD_PTR result = 0;
        const bool counted = probe.counting;
        const double start = NowMilliseconds();
        if (SendMessageTimeoutA(probe.window, WM_NULL, 0, 0, SMTO_NORMAL, ProbeTimeout, &result) == 0) continue;
        const double answer = NowMilliseconds() - start;
        if (counted) probe.longest = std::max(probe.longest, answer);
        probe.longestOfAll = std::max(probe.longestOfAll, answer);
        ++probe.answered;
    }
    return 0;
}

// Runs this thread's messages as Quillet's message loop does, until done()
// holds; a thread timer wakes the loop to look.
void DispatchUntil(const std::function<bool()>& done) {
    const UINT_PTR timer = SetTimer(nullptr, 0, ProbeInterval, nullptr);
    MSG message;
    while (!done() && GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    KillTimer(nullptr, timer);
}

struct ProbeResult {
    double longest;
    double longestOfAll;
    int answered;
    double milliseconds;
};

// Probes the window while work runs on its thread, this one. A probe may be
// waiting for this thread as the probing stops, so it dispatches meanwhile.
ProbeResult Probed(HWND window, const std::function<void(Probe&)>& work) {
    Probe probe{window};
    HANDLE thread = CreateThread(nullptr, 0, RunProbe, &probe, 0, nullptr);
    if (thread == nullptr) FailBench("cannot start the probe thread");
    const double start = NowMilliseconds();
    work(probe);
    const double time = NowMilliseconds() - start;
    probe.stop = true;
    DispatchUntil([thread] { return WaitForSingleObject(thread, 0) == WAIT_OBJECT_0; });
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    return {probe.longest, probe.longestOfAll, probe.answered, time};
}

}  // namespace

ResponsivenessRows MeasureResponsiveness(HWND quilletWindow) {
    const BenchFolder folder("responsiveness");
    SetEnvironmentVariableA("KXSIM_BOARD", folder.File("board.txt").c_str());
    // The board counts its failed opens in the call log.
    SetEnvironmentVariableA("KXSIM_LOG", folder.File("calls.log").c_str());
    RemoveBenchKey();
    AppState& state = *GetAppState(quilletWindow);
    state.controllerId = BenchController;
    // The default board's own assignments, which hold no conflict to ask about.
    WriteTextFileOrFail(folder.File("board.txt"), "");
    SendMessageA(quilletWindow, WM_COMMAND, MAKEWPARAM(IDM_READ_IO, 0), 0);
    if (!state.imageValid) FailBench("Quillet could not read the simulated board");
    ShowWindow(quilletWindow, SW_SHOWNOACTIVATE);
    UpdateWindow(quilletWindow);

    // The check's open fails, then the read-back's first 20, 500 ms apart.
    WriteTextFileOrFail(folder.File("board.txt"), "failedOpens = 21\n");
    DeleteFileA(folder.File("calls.log").c_str());
    std::vector<std::string> boxes;
    // Alive through both phases, so that its timer weighs on both alike.
    const ModalAnswerer answerer([&boxes](HWND box) {
        boxes.push_back(ReadMessageBox(box).text);
        PressButton(box, GetDlgItem(box, IDYES) != nullptr ? IDYES : IDOK);
    });
    // What counts is the wait for the restart, from the moment the answered
    // questions let the write begin; the questions' boxes are shown as info.
    const ProbeResult write = Probed(quilletWindow, [&](Probe& probe) {
        probe.counting = false;
        SendMessageA(quilletWindow, WM_COMMAND, MAKEWPARAM(IDM_WRITE_IO, 0), 0);
        if (state.held.driverJob == nullptr) FailBench("Write did not start its work");
        probe.counting = true;
        DispatchUntil([&state] { return state.held.driverJob == nullptr; });
    });
    const ProbeResult idle = Probed(quilletWindow, [&](Probe&) {
        const double end = NowMilliseconds() + write.milliseconds;
        DispatchUntil([end] { return NowMilliseconds() >= end; });
    });
    // A third box would be a failure's.
    if (boxes.size() != 2 || boxes[1] != UncheckedTargetQuestionText(BenchController, TargetCheckResult::NotOpened) ||
        state.held.statusLine.rfind("Stored ", 0) != 0)
        FailBench("the write did not ask, store and verify as planned: " + state.held.statusLine);
    RemoveBenchKey();
    SetEnvironmentVariableA("KXSIM_BOARD", nullptr);
    SetEnvironmentVariableA("KXSIM_LOG", nullptr);

    ResponsivenessRows rows;
    rows.targets.push_back({"Longest answer, during Write: vs idle", "ms", {write.longest}, {idle.longest},
                            WriteOverIdleAllowed});
    rows.targets.push_back({"Longest answer, during Write", "ms", {write.longest}, {}, 0, LongestAnswerAllowed});
    rows.probes.push_back({"Longest answer, its questions included", "ms", {write.longestOfAll}, {}, 0});
    rows.probes.push_back({"Probes answered: during Write vs idle", "probes",
                           {static_cast<double>(write.answered)}, {static_cast<double>(idle.answered)}, 0});
    rows.probes.push_back({"Time probed: during Write vs idle", "ms", {write.milliseconds}, {idle.milliseconds}, 0});
    return rows;
}
