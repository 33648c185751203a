#include "app/driver_commands.h"

#include <atomic>
#include <memory>

#include "app/app_state.h"
#include "app/message_box.h"
#include "app/messages.h"
#include "app/settings.h"
#include "app/status_bar.h"
#include "app/summary_view.h"
#include "controller/driver_update.h"
#include "controller/messages.h"
#include "controller/target_check.h"
#include "ioconfig/assignment_check.h"
#include "ioconfig/store_names.h"
#include "res/version.h"

// What the thread works on: copies, so that nothing of the window's state
// is shared with it but the flag it raises once it waits for the restart.
struct DriverJob {
    HWND window;
    DriverCommand command;
    ControllerNumber controller;
    IoConfigImage image;
    CopyRequest copy;
    ULONGLONG started;
    std::atomic<bool> waiting{false};
    DriverUpdateOutcome outcome{};
    HANDLE thread = nullptr;
};

namespace {

// Only an answered OK goes on: a box that could not be shown is no consent
// to restart the controller.
bool Confirmed(HWND window, const std::string& text) {
    return ShowMessageBox(window, text, MB_OKCANCEL | MB_ICONWARNING) == IDOK;
}

// The window's copies go beside its settings file, stamped with the local
// time, without a note. The journal names the file the assignments came
// from, or the controller they were read from.
CopyRequest CopyOf(const AppState& state) {
    return {BackupFolder(state), LocalClock, "", "quillet " QUILLET_VERSION_TEXT, state.held.sourcePath,
            state.held.readFrom};
}

// The outcome stays in the status bar until the next driver command.
void ShowOutcome(HWND window, AppState& state, DriverCommand command, const DriverUpdateOutcome& outcome) {
    const ControllerNumber controller = SelectedController(state);
    state.held.statusLine = DriverUpdateStatus(controller, command, AxisRecordsInUse(state.image), outcome);
    if (!outcome.damagedKey.empty()) state.held.statusLine += ' ' + DamagedValuesReplacedText(outcome.damagedKey);
    ShowHeldImage(window, state);
    std::vector<std::string> boxes = DriverUpdateFailures(controller, outcome);
    if (const std::string check = WriteCheckText(controller, outcome.check); !check.empty()) boxes.push_back(check);
    if (outcome.journalError != 0)
        boxes.push_back(JournalFailureText(command == DriverCommand::Write ? "write" : "reset", outcome.journalError));
    for (const std::string& box : boxes) Warn(window, box);
}

DWORD WINAPI RunDriverJob(void* data) {
    auto* job = static_cast<DriverJob*>(data);
    job->outcome = job->command == DriverCommand::Write
                       ? WriteIoConfigToDriver(job->controller, job->image, job->copy,
                                               [job](unsigned) { job->waiting = true; })
                       : ResetIoConfigOfDriver(job->controller, job->copy);
    PostMessageA(job->window, DriverCommandDone, 0, reinterpret_cast<LPARAM>(job));
    return 0;
}

// Where no thread can be had, the command runs here, as it must run.
void StartDriverCommand(HWND window, AppState& state, DriverCommand command) {
    auto* job = new DriverJob{window, command, SelectedController(state), state.image, CopyOf(state), GetTickCount64()};
    state.held.driverJob = job;
    SetTimer(window, DriverProgressTimer, DriverProgressInterval, nullptr);
    ShowDriverProgress(window, state);
    job->thread = CreateThread(nullptr, 0, RunDriverJob, job, 0, nullptr);
    if (job->thread == nullptr) RunDriverJob(job);
}

// A question whose answer is No unless the user says Yes.
bool AnsweredYes(HWND window, const std::string& question) {
    return ShowMessageBox(window, question, MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}

// Errors, and a controller the assignments could not be checked against,
// stop a write unless the user goes on; warnings never do.
bool CheckAccepted(HWND window, ControllerNumber controller, const TargetCheck& check) {
    const std::vector<std::string> errors = SentencesOf(check.findings, FindingLevel::Error);
    if (!errors.empty() && !AnsweredYes(window, ConflictQuestionText(controller, errors))) return false;
    return check.result == TargetCheckResult::Checked ||
           AnsweredYes(window, UncheckedTargetQuestionText(controller, check.result));
}

}  // namespace

void WriteIoToController(HWND window, AppState& state) {
    const ControllerNumber controller = SelectedController(state);
    if (AxisRecordsInUse(state.image) == 0) return Warn(window, NothingToWriteText(controller));
    const TargetCheck check = CheckAgainstTarget(controller, state.image);
    if (!Confirmed(window, WriteConfirmationText(controller, state.held.readFrom)) ||
        !CheckAccepted(window, controller, check))
        return;
    StartDriverCommand(window, state, DriverCommand::Write);
}

void ResetControllerToDefaults(HWND window, AppState& state) {
    if (!Confirmed(window, ResetConfirmationText(SelectedController(state)))) return;
    StartDriverCommand(window, state, DriverCommand::Reset);
}

bool DriverCommandRunning(const AppState& state) { return state.held.driverJob != nullptr; }

void ShowDriverProgress(HWND window, AppState& state) {
    const DriverJob& job = *state.held.driverJob;
    const auto seconds = static_cast<unsigned>((GetTickCount64() - job.started) / 1000);
    state.held.statusLine = DriverProgressText(job.command == DriverCommand::Write, job.controller, seconds,
                                               job.waiting, state.held.closeWhenDone);
    ShowStatusBar(window, state);
}

// The window's assignments are neither saved nor written by a reset: any
// changes they hold stay marked.
void FinishDriverCommand(HWND window, AppState& state, LPARAM data) {
    const std::unique_ptr<DriverJob> job(reinterpret_cast<DriverJob*>(data));
    if (job->thread != nullptr) {
        WaitForSingleObject(job->thread, INFINITE);
        CloseHandle(job->thread);
    }
    KillTimer(window, DriverProgressTimer);
    state.held.driverJob = nullptr;
    const DriverUpdateOutcome& outcome = job->outcome;
    if (job->command == DriverCommand::Write && outcome.lockError == 0 && outcome.copyError == 0 &&
        outcome.storeError == 0)
        state.held.unsaved = false;
    ShowOutcome(window, state, job->command, outcome);
    // The pointer over the window loses its hourglass now, not at its next move.
    if (POINT pointer{}; GetCursorPos(&pointer) && WindowFromPoint(pointer) == window)
        SendMessageA(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    if (state.held.closeWhenDone) PostMessageA(window, WM_CLOSE, 0, 0);
}

void CloseWhenDriverCommandEnds(HWND window, AppState& state) {
    state.held.closeWhenDone = true;
    ShowDriverProgress(window, state);
}

void WaitForDriverCommand(HWND window, AppState& state) {
    if (state.held.driverJob == nullptr) return;
    WaitForSingleObject(state.held.driverJob->thread, INFINITE);
    MSG done;
    while (PeekMessageA(&done, window, DriverCommandDone, DriverCommandDone, PM_REMOVE)) {}
    CloseHandle(state.held.driverJob->thread);
    delete state.held.driverJob;
    state.held.driverJob = nullptr;
}
