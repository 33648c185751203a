#include "app/driver_commands.h"

#include "app/app_state.h"
#include "app/message_box.h"
#include "app/settings.h"
#include "controller/driver_update.h"
#include "ioconfig/assignment_check.h"
#include "ioconfig/store_names.h"

namespace {

// Only an answered OK goes on: a box that could not be shown is no consent
// to restart the controller.
bool Confirmed(HWND window, const char* text) {
    return ShowMessageBox(window, text, MB_OKCANCEL | MB_ICONWARNING) == IDOK;
}

void ReportFailures(HWND window, uint16_t controller, const DriverUpdateOutcome& outcome) {
    for (const std::string& failure : DriverUpdateFailures(controller, outcome))
        ShowMessageBox(window, failure, MB_OK | MB_ICONWARNING);
}

// The window's copies go beside its settings file, stamped with the local
// time, without a note.
CopyRequest CopyOf(const AppState& state) { return {BackupFolder(state), LocalClock, ""}; }

constexpr size_t ListedConflicts = 10;

// Errors stop a write unless the user goes on; warnings never do.
bool ConflictsAccepted(HWND window, const AppState& state) {
    const std::vector<std::string> errors = SentencesOf(CheckAssignments(state.image), FindingLevel::Error);
    if (errors.empty()) return true;
    return ShowMessageBox(window, ConflictQuestionText(ControllerNumber(state), errors),
                          MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}

}  // namespace

std::string ConflictQuestionText(uint16_t controllerNumber, const std::vector<std::string>& errors) {
    std::string text = "The assignments for controller " + ControllerNumberText(controllerNumber) + " have conflicts:";
    for (size_t i = 0; i < errors.size() && i < ListedConflicts; ++i) text += "\n" + errors[i];
    if (errors.size() > ListedConflicts) text += "\nand " + std::to_string(errors.size() - ListedConflicts) + " more.";
    return text + "\n\nWrite them to the controller anyway?";
}

void WriteIoToController(HWND window, const AppState& state) {
    if (!Confirmed(window, WriteConfirmationText) || !ConflictsAccepted(window, state)) return;
    const uint16_t controller = ControllerNumber(state);
    ReportFailures(window, controller, WriteIoConfigToDriver(controller, state.image, CopyOf(state)));
}

void ResetControllerToDefaults(HWND window, const AppState& state) {
    if (!Confirmed(window, ResetConfirmationText)) return;
    const uint16_t controller = ControllerNumber(state);
    const DriverUpdateOutcome outcome = ResetIoConfigOfDriver(controller, CopyOf(state));
    if (outcome.copyError == 0) InvalidateRect(window, nullptr, TRUE);
    ReportFailures(window, controller, outcome);
}
