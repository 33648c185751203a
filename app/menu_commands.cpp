#include "app/menu_commands.h"

#include "app/app_state.h"
#include "app/file_commands.h"
#include "app/held_assignments.h"
#include "app/message_box.h"
#include "app/messages.h"
#include "app/settings.h"
#include "app/status_bar.h"
#include "app/summary_view.h"
#include "controller/controller_io.h"
#include "controller/controller_library.h"
#include "ioconfig/store_names.h"

// A summary left as it was, which may be another controller's or a file's,
// must not pass for this controller's: a read that did not happen says so.
void ReadIoFromController(HWND window, AppState& state) {
    if (!MayReplaceAssignments(window, state)) return;
    const ControllerRead read = ReadControllerIoConfig(SelectedController(state), state.image);
    if (read == ControllerRead::Read)
        return HoldAssignments(window, state, state.image, ControllerSource(SelectedController(state)));
    ShowHeldImage(window, state);
    if (read == ControllerRead::NotOpened) Warn(window, OpenFailureText(SelectedController(state)));
    if (read == ControllerRead::Failed) Warn(window, ReadFailureText(SelectedController(state)));
}

void ShowControllerInfo(HWND window, const AppState& state) {
    const UniqueController controller = OpenController(SelectedController(state));
    if (!controller.IsOpen()) return Warn(window, OpenFailureText(SelectedController(state)));
    KXDLG_ControllerInfo(window, controller.Get(), 0, 0);
}

// Kept at once, so that tvxio run meanwhile works on the same controller.
void SelectController(HWND window, AppState& state) {
    const int16_t chosen = KXDLG_SelectController(window, SelectedController(state).value, 0, 0);
    // A negative answer is the dialog's cancel, not a controller.
    if (chosen < 0) return;
    state.controllerId = LenientControllerNumber(chosen).SettingsValue();
    StoreSettings(state);
    ShowStatusBar(window, state);
}

void ShowAboutBox(HWND window) { KXDLG_AboutBox(window, "About Quillet", 0); }
