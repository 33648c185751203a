#include "app/main_window.h"

#include <algorithm>
#include <iterator>

#include "app/app_state.h"
#include "app/assignment_editor.h"
#include "app/compare_commands.h"
#include "app/driver_commands.h"
#include "app/file_commands.h"
#include "app/menu_commands.h"
#include "app/settings.h"
#include "app/status_bar.h"
#include "app/summary_view.h"
#include "app/system_libraries.h"
#include "res/resource.h"

namespace {

// Files dropped from Explorer open as Open File opens them; the style takes
// no library that DragAcceptFiles would load at every start.
LRESULT OnCreate(HWND window) {
    AppState* state = CreateAppState(window);
    AttachAppState(window, state);
    LoadSettings(*state);
    SetWindowLongPtrA(window, GWL_EXSTYLE, GetWindowLongPtrA(window, GWL_EXSTYLE) | WS_EX_ACCEPTFILES);
    LetDropsThrough(window);
    if (CreateStatusBar(window)) ShowStatusBar(window, *state);
    return 1;
}

LRESULT OnDestroy(HWND window) {
    AppState* state = GetAppState(window);
    if (state != nullptr) {
        WaitForDriverCommand(window, *state);
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
    if (const AppState* state = GetAppState(window)) PaintSummary(window, dc, *state);
    EndPaint(window, &paint);
    return 0;
}

// The commands that need an image to work on.
constexpr UINT ImageCommands[] = {IDM_SAVE_AS, IDM_COPY_SUMMARY, IDM_EXPORT_MAP, IDM_WRITE_IO, IDM_RECONFIGURE_IO,
                                  IDM_CHECK_ASSIGNMENTS, IDM_COMPARE_CONTROLLER, IDM_COMPARE_STORED};
// Those that read, change or replace the controller's or the window's
// assignments, or open the controller, which a Write or Reset is restarting.
constexpr UINT CommandsWaitingForDriver[] = {IDM_OPEN_FILE,          IDM_OPEN_COPY,         IDM_EXPORT_MAP,
                                             IDM_READ_IO,            IDM_WRITE_IO,          IDM_RESET_CONTROLLER,
                                             IDM_RECONFIGURE_IO,     IDM_CHECK_ASSIGNMENTS, IDM_COMPARE_CONTROLLER,
                                             IDM_COMPARE_STORED,     IDM_CONTROLLER_INFO,   IDM_SELECT_CONTROLLER};

bool WaitsForDriver(UINT id) {
    return std::find(std::begin(CommandsWaitingForDriver), std::end(CommandsWaitingForDriver), id) !=
           std::end(CommandsWaitingForDriver);
}

void EnableCommands(HMENU popup, const AppState& state) {
    for (UINT id : ImageCommands)
        EnableMenuItem(popup, id, MF_BYCOMMAND | (state.imageValid ? MF_ENABLED : MF_GRAYED));
    if (!DriverCommandRunning(state)) return;
    for (UINT id : CommandsWaitingForDriver) EnableMenuItem(popup, id, MF_BYCOMMAND | MF_GRAYED);
}

void RunCommand(HWND window, AppState& state, int id) {
    if (DriverCommandRunning(state) && WaitsForDriver(static_cast<UINT>(id))) return;
    switch (id) {
        case IDM_OPEN_FILE: LoadIoConfigFile(window, state); break;
        case IDM_OPEN_COPY: OpenBackupCopy(window, state); break;
        case IDM_SAVE_AS: SaveIoConfigFile(window, state); break;
        case IDM_COPY_SUMMARY: CopySummaryToClipboard(window, state); break;
        case IDM_EXPORT_MAP: ExportIoMap(window, state); break;
        case IDM_EXIT: PostMessageA(window, WM_CLOSE, 0, 0); break;
        case IDM_READ_IO: ReadIoFromController(window, state); break;
        case IDM_WRITE_IO: WriteIoToController(window, state); break;
        case IDM_RESET_CONTROLLER: ResetControllerToDefaults(window, state); break;
        case IDM_RECONFIGURE_IO: ReconfigureIoAssignments(window, state); break;
        case IDM_CHECK_ASSIGNMENTS: ShowAssignmentCheck(window, state); break;
        case IDM_COMPARE_CONTROLLER: CompareWithController(window, state); break;
        case IDM_COMPARE_STORED: CompareWithStoredValues(window, state); break;
        case IDM_CONTROLLER_INFO: ShowControllerInfo(window, state); break;
        case IDM_SELECT_CONTROLLER: SelectController(window, state); break;
        case IDM_ABOUT: ShowAboutBox(window); break;
        default: break;
    }
}

// Moved to a monitor of another scaling: the size Windows suggests, then
// everything laid out again at the new DPI.
void OnDpiChanged(HWND window, const RECT& suggested) {
    SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    FitStatusBar(window);
    if (const AppState* state = GetAppState(window)) ShowHeldImage(window, *state);
}

// A notch of the wheel scrolls three lines.
void ScrollByWheel(HWND window, short delta) {
    for (int line = 0; line < 3; ++line) ScrollSummary(window, SB_VERT, delta > 0 ? SB_LINEUP : SB_LINEDOWN);
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
            if (DriverCommandRunning(*GetAppState(window))) CloseWhenDriverCommandEnds(window, *GetAppState(window));
            else if (MayReplaceAssignments(window, *GetAppState(window))) DestroyWindow(window);
            return 0;
        case DriverCommandDone:
            FinishDriverCommand(window, *GetAppState(window), lParam);
            return 0;
        case WM_TIMER:
            if (wParam == DriverProgressTimer && DriverCommandRunning(*GetAppState(window)))
                ShowDriverProgress(window, *GetAppState(window));
            return 0;
        case WM_SETCURSOR:
            // Busy, but answering: the arrow with the hourglass.
            if (LOWORD(lParam) == HTCLIENT && DriverCommandRunning(*GetAppState(window))) {
                SetCursor(LoadCursorA(nullptr, IDC_APPSTARTING));
                return TRUE;
            }
            return DefWindowProcA(window, message, wParam, lParam);
        case WM_SIZE:
            FitStatusBar(window);
            if (const AppState* state = GetAppState(window)) UpdateScrollRanges(window, *state);
            return 0;
        case WM_DPICHANGED:
            OnDpiChanged(window, *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_HSCROLL:
        case WM_VSCROLL:
            ScrollSummary(window, message == WM_HSCROLL ? SB_HORZ : SB_VERT, LOWORD(wParam));
            return 0;
        case WM_MOUSEWHEEL:
            ScrollByWheel(window, GET_WHEEL_DELTA_WPARAM(wParam));
            return 0;
        case WM_KEYDOWN:
            if (ScrollSummaryByKey(window, wParam)) return 0;
            return DefWindowProcA(window, message, wParam, lParam);
        case WM_DROPFILES:
            OpenDroppedFile(window, *GetAppState(window), reinterpret_cast<HDROP>(wParam));
            return 0;
        case WM_COMMAND:
            RunCommand(window, *GetAppState(window), LOWORD(wParam));
            return 0;
        case WM_INITMENUPOPUP:
            // Only the File and Controller popups of the menu bar; never the
            // window menu.
            if (lParam == 0 || lParam == 1) {
                EnableCommands(reinterpret_cast<HMENU>(wParam), *GetAppState(window));
                return 0;
            }
            return DefWindowProcA(window, message, wParam, lParam);
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}
