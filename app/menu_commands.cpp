#include "app/menu_commands.h"

#include "app/app_state.h"
#include "app/message_box.h"
#include "controller/controller_io.h"
#include "controller/controller_library.h"
#include "ioconfig/store_names.h"

std::string ReadFailureText(uint16_t controllerNumber) {
    return "Quillet could not read the I/O configuration of controller " + ControllerNumberText(controllerNumber) +
           ".\nThe summary was not changed.";
}

void ReadIoFromController(HWND window, AppState& state) {
    const ControllerRead read = ReadControllerIoConfig(ControllerNumber(state), state.image);
    if (read == ControllerRead::Read) state.imageValid = true;
    InvalidateRect(window, nullptr, TRUE);
    if (read == ControllerRead::Failed)
        ShowMessageBox(window, ReadFailureText(ControllerNumber(state)), MB_OK | MB_ICONWARNING);
}

void ShowControllerInfo(HWND window, const AppState& state) {
    const UniqueController controller = OpenController(ControllerNumber(state));
    if (!controller.IsOpen()) return;
    KXDLG_ControllerInfo(window, controller.Get(), 0, 0);
}

void SelectController(HWND window, AppState& state) {
    const int16_t chosen = KXDLG_SelectController(window, ControllerNumber(state), 0, 0);
    if (chosen >= 0) state.controllerId = chosen;
}

void ShowAboutBox(HWND window) { KXDLG_AboutBox(window, "About Quillet", 0); }
