// The I/O assignment editor: a property sheet of four axis-pair pages.
#pragma once

#include <windows.h>

struct AppState;

int EditIoAssignments(HWND owner, AppState& state);

// Menu command "Reconfigure I/O Assignments...": runs the editor, then
// repaints the summary.
void ReconfigureIoAssignments(HWND window);
