#include "app/driver_commands.h"

#include "app/app_state.h"
#include "app/message_box.h"
#include "app/settings.h"
#include "app/summary_view.h"
#include "controller/driver_update.h"
#include "ioconfig/assignment_check.h"
#include "ioconfig/assignment_listing.h"
#include "ioconfig/store_names.h"

namespace {

// Only an answered OK goes on: a box that could not be shown is no consent
// to restart the controller.
bool Confirmed(HWND window, const char* text) {
    return ShowMessageBox(window, text, MB_OKCANCEL | MB_ICONWARNING) == IDOK;
}

// The window's copies go beside its settings file, stamped with the local
// time, without a note.
CopyRequest CopyOf(const AppState& state) { return {BackupFolder(state), LocalClock, ""}; }

constexpr size_t ListedConflicts = 10;

// The outcome stays below the summary until the next driver command.
void ShowOutcome(HWND window, AppState& state, DriverCommand command, const DriverUpdateOutcome& outcome) {
    const uint16_t controller = ControllerNumber(state);
    state.statusLine = DriverUpdateStatus(controller, command, AxisRecordsInUse(state.image), outcome);
    ShowHeldImage(window, state);
    std::vector<std::string> boxes = DriverUpdateFailures(controller, outcome);
    if (const std::string check = WriteCheckText(controller, outcome.check); !check.empty()) boxes.push_back(check);
    for (const std::string& box : boxes) ShowMessageBox(window, box, MB_OK | MB_ICONWARNING);
}

// Errors stop a write unless the user goes on; warnings never do.
bool ConflictsAccepted(HWND window, const AppState& state) {
    const std::vector<std::string> errors = SentencesOf(CheckAssignments(state.image), FindingLevel::Error);
    if (errors.empty()) return true;
    return ShowMessageBox(window, ConflictQuestionText(ControllerNumber(state), errors),
                          MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}

}  // namespace

std::string ConflictQuestionText(uint16_t controllerNumber, const std::vector<std::string>& errors) {
    return "The assignments for controller " + ControllerNumberText(controllerNumber) + " have conflicts:\n" +
           ListedAtMost(errors, ListedConflicts) + "\n\nWrite them to the controller anyway?";
}

void WriteIoToController(HWND window, AppState& state) {
    if (!Confirmed(window, WriteConfirmationText) || !ConflictsAccepted(window, state)) return;
    // The read-back may wait up to 30 seconds for the controller to restart.
    const HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    const DriverUpdateOutcome outcome = WriteIoConfigToDriver(ControllerNumber(state), state.image, CopyOf(state));
    SetCursor(previous);
    if (outcome.lockError == 0 && outcome.copyError == 0 && outcome.storeError == 0) state.unsaved = false;
    ShowOutcome(window, state, DriverCommand::Write, outcome);
}

// The window's assignments are neither saved nor written by a reset: any
// changes they hold stay marked.
void ResetControllerToDefaults(HWND window, AppState& state) {
    if (!Confirmed(window, ResetConfirmationText)) return;
    ShowOutcome(window, state, DriverCommand::Reset, ResetIoConfigOfDriver(ControllerNumber(state), CopyOf(state)));
}
