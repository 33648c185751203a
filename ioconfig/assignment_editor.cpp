#include "ioconfig/assignment_editor.h"

#include "app/app_state.h"

// The editor comes with its own work; until then it shows nothing.
int EditIoAssignments(HWND, AppState&) { return 0; }

void ReconfigureIoAssignments(HWND window) {
    EditIoAssignments(window, *GetAppState(window));
    InvalidateRect(window, nullptr, TRUE);
}
