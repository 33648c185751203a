#include "app/menu_commands.h"

#include "app/app_state.h"
#include "controller/controller_io.h"
#include "controller/controller_library.h"

void ReadIoFromController(HWND window, AppState& state) {
    if (ReadControllerIoConfig(ControllerNumber(state), state.image)) state.imageValid = true;
    InvalidateRect(window, nullptr, TRUE);
}

void ShowControllerInfo(HWND window, const AppState& state) {
    const int16_t handle = OpenController(ControllerNumber(state));
    if (handle <= 0) return;
    KXDLG_ControllerInfo(window, handle, 0, 0);
    KXClose(handle);
}

void SelectController(HWND window, AppState& state) {
    const int16_t chosen = KXDLG_SelectController(window, ControllerNumber(state), 0, 0);
    if (chosen >= 0) state.controllerId = chosen;
}

void ShowAboutBox(HWND window) { KXDLG_AboutBox(window, "About Quillet", 0); }
