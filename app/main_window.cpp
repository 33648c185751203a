#include "app/main_window.h"

#include "app/app_state.h"
#include "app/assignment_editor.h"
#include "app/driver_commands.h"
#include "app/file_commands.h"
#include "app/menu_commands.h"
#include "app/settings.h"
#include "ioconfig/summary_layout.h"
#include "res/resource.h"

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

LRESULT OnPaint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    if (const AppState* state = GetAppState(window)) {
        for (const SummaryText& text : LayOutSummary(state->image))
            TextOutA(dc, text.x, text.y, text.text.c_str(), static_cast<int>(text.text.size()));
    }
    EndPaint(window, &paint);
    return 0;
}

// Save As, Write and Reconfigure need an image to work on.
void EnableImageCommands(HMENU popup, bool imageValid) {
    const UINT state = MF_BYCOMMAND | (imageValid ? MF_ENABLED : MF_GRAYED);
    for (UINT id : {IDM_SAVE_AS, IDM_WRITE_IO, IDM_RECONFIGURE_IO}) EnableMenuItem(popup, id, state);
}

void RunCommand(HWND window, AppState& state, int id) {
    switch (id) {
        case IDM_OPEN_FILE: LoadIoConfigFile(window, state); break;
        case IDM_SAVE_AS: SaveIoConfigFile(window, state); break;
        case IDM_EXIT: PostMessageA(window, WM_CLOSE, 0, 0); break;
        case IDM_READ_IO: ReadIoFromController(window, state); break;
        case IDM_WRITE_IO: WriteIoToController(window, state); break;
        case IDM_RESET_CONTROLLER: ResetControllerToDefaults(window, state); break;
        case IDM_RECONFIGURE_IO: ReconfigureIoAssignments(window, state); break;
        case IDM_CONTROLLER_INFO: ShowControllerInfo(window, state); break;
        case IDM_SELECT_CONTROLLER: SelectController(window, state); break;
        case IDM_ABOUT: ShowAboutBox(window); break;
        default: break;
    }
}

}  // namespace

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            return OnCreate(window);
        case WM_DESTROY:
            return OnDestroy(window);
        case WM_PAINT:
            return OnPaint(window);
        case WM_CLOSE:
            DestroyWindow(window);
            return 0;
        case WM_COMMAND:
            RunCommand(window, *GetAppState(window), LOWORD(wParam));
            return 0;
        case WM_INITMENUPOPUP:
            // Only the File and Controller popups of the menu bar; never the
            // window menu.
            if (lParam == 0 || lParam == 1) {
                EnableImageCommands(reinterpret_cast<HMENU>(wParam), GetAppState(window)->imageValid);
                return 0;
            }
            return DefWindowProcA(window, message, wParam, lParam);
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}
