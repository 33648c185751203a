#include "controller/driver_commands.h"

#include "app/app_state.h"
#include "app/startup.h"
#include "controller/driver_names.h"
#include "controller/driver_store.h"

namespace {

// Only an answered OK goes on: a box that could not be shown is no consent
// to restart the controller.
bool Confirmed(HWND window, const char* text) {
    return MessageBoxA(window, text, MainWindowTitle, MB_OKCANCEL | MB_ICONWARNING) == IDOK;
}

void ReportStoreFailure(HWND window, const AppState& state) {
    MessageBoxA(window, StoreFailureText(ControllerNumber(state)).c_str(), MainWindowTitle,
                MB_OK | MB_ICONWARNING);
}

}  // namespace

std::string StoreFailureText(uint16_t controllerNumber) {
    return "The I/O configuration stored for controller " + ControllerNumberText(controllerNumber) +
           " could not be updated.\nThe controller may not use the assignments you expect.";
}

void WriteIoToController(HWND window) {
    if (!Confirmed(window, WriteConfirmationText)) return;
    const AppState& state = *GetAppState(window);
    // The restart was confirmed and goes ahead; a failed store is told after it.
    const bool stored = WriteDriverIoConfig(state);
    RestartController(state);
    if (!stored) ReportStoreFailure(window, state);
}

void ResetControllerToDefaults(HWND window) {
    if (!Confirmed(window, ResetConfirmationText)) return;
    const AppState& state = *GetAppState(window);
    const bool removed = ResetDriverIoConfig(state);
    RestartController(state);
    InvalidateRect(window, nullptr, TRUE);
    if (!removed) ReportStoreFailure(window, state);
}
