#include "app/menu_commands.h"

#include "app/app_state.h"
#include "controller/controller_library.h"

static_assert(IoConfigAreaSize == IoConfigImageSize);

namespace {

int16_t OpenController(const AppState& state) {
    return KXOpen(ControllerNumber(state), ControllerOpenMode, ControllerOpenName);
}

}  // namespace

void ReadIoFromController(HWND window) {
    AppState& state = *GetAppState(window);
    const int16_t handle = OpenController(state);
    if (handle > 0) {
        // The image counts as read whatever the call answers.
        krxgetramex(handle, IoConfigAreaAddress, ImageBytes(state.image), IoConfigAreaSize);
        state.imageValid = true;
        KXClose(handle);
    }
    InvalidateRect(window, nullptr, TRUE);
}

void ShowControllerInfo(HWND window) {
    const int16_t handle = OpenController(*GetAppState(window));
    if (handle <= 0) return;
    KXDLG_ControllerInfo(window, handle, 0, 0);
    KXClose(handle);
}

void SelectController(HWND window) {
    AppState& state = *GetAppState(window);
    const int16_t chosen = KXDLG_SelectController(window, ControllerNumber(state), 0, 0);
    if (chosen >= 0) state.controllerId = chosen;
}

void ShowAboutBox(HWND window) { KXDLG_AboutBox(window, "About Quillet", 0); }
