#include "app/driver_commands.h"

#include "app/app_state.h"
#include "app/message_box.h"
#include "controller/driver_store.h"
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

}  // namespace

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
    if (!Confirmed(window, WriteConfirmationText)) return;
    const uint16_t controller = ControllerNumber(state);
    const uint32_t storeError = WriteDriverIoConfig(controller, state.image);
    ReportFailures(window, controller, storeError, RestartController(controller));
}

void ResetControllerToDefaults(HWND window, const AppState& state) {
    if (!Confirmed(window, ResetConfirmationText)) return;
    const uint16_t controller = ControllerNumber(state);
    const uint32_t storeError = ResetDriverIoConfig(controller);
    const uint32_t restartError = RestartController(controller);
    InvalidateRect(window, nullptr, TRUE);
    ReportFailures(window, controller, storeError, restartError);
}
