#include "app/driver_commands.h"

#include "app/app_state.h"
#include "app/message_box.h"
#include "app/settings.h"
#include "controller/driver_backup.h"
#include "controller/driver_store.h"
#include "ioconfig/assignment_check.h"
#include "ioconfig/store_names.h"

namespace {

// Only an answered OK goes on: a box that could not be shown is no consent
// to restart the controller.
bool Confirmed(HWND window, const char* text) {
    return ShowMessageBox(window, text, MB_OKCANCEL | MB_ICONWARNING) == IDOK;
}

// Told after the restart, which was confirmed and goes ahead whatever the
// store did.
void ReportFailures(HWND window, uint16_t controller, uint32_t storeError, uint32_t restartError) {
    if (restartError != 0)
        ShowMessageBox(window, RestartFailureText(controller, restartError), MB_OK | MB_ICONWARNING);
    if (storeError != 0) ShowMessageBox(window, StoreFailureText(controller, storeError), MB_OK | MB_ICONWARNING);
}

constexpr size_t ListedConflicts = 10;

// Errors stop a write unless the user goes on; warnings never do.
bool ConflictsAccepted(HWND window, const AppState& state) {
    const std::vector<std::string> errors = SentencesOf(CheckAssignments(state.image), FindingLevel::Error);
    if (errors.empty()) return true;
    return ShowMessageBox(window, ConflictQuestionText(ControllerNumber(state), errors),
                          MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}

// A command that would replace stored values goes on only once they are
// copied, or when there are none.
bool StoredValuesKept(HWND window, const AppState& state, const char* before) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    const DriverBackup backup = BackUpDriverIoConfig(ControllerNumber(state), BackupFolder(state), before, now);
    if (backup.error == 0) return true;
    ShowMessageBox(window, BackupFailureText(ControllerNumber(state), backup.path, backup.error),
                   MB_OK | MB_ICONWARNING);
    return false;
}

}  // namespace

std::string ConflictQuestionText(uint16_t controllerNumber, const std::vector<std::string>& errors) {
    std::string text = "The assignments for controller " + ControllerNumberText(controllerNumber) + " have conflicts:";
    for (size_t i = 0; i < errors.size() && i < ListedConflicts; ++i) text += "\n" + errors[i];
    if (errors.size() > ListedConflicts) text += "\nand " + std::to_string(errors.size() - ListedConflicts) + " more.";
    return text + "\n\nWrite them to the controller anyway?";
}

std::string BackupFailureText(uint16_t controllerNumber, const std::string& path, uint32_t error) {
    return "Quillet could not keep a copy of the assignments stored for controller " +
           ControllerNumberText(controllerNumber) + " in the file\n" + path + "\n" + SystemErrorText(error) +
           "\nNothing was changed on controller " + ControllerNumberText(controllerNumber) + ".";
}

std::string StoreFailureText(uint16_t controllerNumber, uint32_t error) {
    return "The I/O configuration stored for controller " + ControllerNumberText(controllerNumber) +
           " could not be updated.\nThe controller may not use the assignments you expect.\n" +
           SystemErrorText(error);
}

std::string RestartFailureText(uint16_t controllerNumber, uint32_t error) {
    return "Quillet could not restart controller " + ControllerNumberText(controllerNumber) + ": " +
           SystemErrorText(error) + "\nThe controller takes up the stored assignments at its next restart.";
}

void WriteIoToController(HWND window, const AppState& state) {
    if (!Confirmed(window, WriteConfirmationText) || !ConflictsAccepted(window, state) ||
        !StoredValuesKept(window, state, "Write"))
        return;
    const uint16_t controller = ControllerNumber(state);
    const uint32_t storeError = WriteDriverIoConfig(controller, state.image);
    ReportFailures(window, controller, storeError, RestartController(controller));
}

void ResetControllerToDefaults(HWND window, const AppState& state) {
    if (!Confirmed(window, ResetConfirmationText) || !StoredValuesKept(window, state, "Reset")) return;
    const uint16_t controller = ControllerNumber(state);
    const uint32_t storeError = ResetDriverIoConfig(controller);
    const uint32_t restartError = RestartController(controller);
    InvalidateRect(window, nullptr, TRUE);
    ReportFailures(window, controller, storeError, restartError);
}
