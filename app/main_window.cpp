#include "app/main_window.h"

#include "app/app_state.h"
#include "app/settings.h"

namespace {

LRESULT OnCreate(HWND window) {
    AppState* state = CreateAppState(window);
    AttachAppState(window, state);
    LoadSettings(*state);
    return 1;
}

LRESULT OnDestroy(HWND window) {
    AppState* state = GetAppState(window);
    if (state != nullptr) {
        if (state->deviceHandle != nullptr) CloseHandle(state->deviceHandle);
        StoreSettings(*state);
        AttachAppState(window, nullptr);
        DestroyAppState(state);
    }
    PostQuitMessage(0);
    return 0;
}

}  // namespace

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            return OnCreate(window);
        case WM_DESTROY:
            return OnDestroy(window);
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}
