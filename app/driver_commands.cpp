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

void ReportStoreFailure(HWND window, const AppState& state) {
    ShowMessageBox(window, StoreFailureText(ControllerNumber(state)), MB_OK | MB_ICONWARNING);
}

}  // namespace

std::string StoreFailureText(uint16_t controllerNumber) {
    return "The I/O configuration stored for controller " + ControllerNumberText(controllerNumber) +
           " could not be updated.\nThe controller may not use the assignments you expect.";
}

void WriteIoToController(HWND window, const AppState& state) {
    if (!Confirmed(window, WriteConfirmationText)) return;
    // The restart was confirmed and goes ahead; a failed store is told after it.
    const bool stored = WriteDriverIoConfig(ControllerNumber(state), state.image);
    RestartController(ControllerNumber(state));
    if (!stored) ReportStoreFailure(window, state);
}

void ResetControllerToDefaults(HWND window, const AppState& state) {
    if (!Confirmed(window, ResetConfirmationText)) return;
    const bool removed = ResetDriverIoConfig(ControllerNumber(state));
    RestartController(ControllerNumber(state));
    InvalidateRect(window, nullptr, TRUE);
    if (!removed) ReportStoreFailure(window, state);
}
