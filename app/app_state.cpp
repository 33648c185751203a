#include "app/app_state.h"

#include "app/settings.h"

AppState* CreateAppState(HWND window) {
    auto* state = new AppState{};
    state->imageValid = false;
    state->deviceHandle = nullptr;
    state->mainWindow = window;
    SetUpSettingsPaths(*state);
    return state;
}

void DestroyAppState(AppState* state) { delete state; }

AppState* GetAppState(HWND window) {
    return reinterpret_cast<AppState*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

void AttachAppState(HWND window, AppState* state) {
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
}

ControllerNumber SelectedController(const AppState& state) {
    return LenientControllerNumber(state.controllerId);
}
