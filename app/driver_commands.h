// Menu commands that bring the assignments to the controller through its
// driver: store or remove the axis records, then restart the controller.
#pragma once

#include <windows.h>

struct AppState;

// Each asks on the window's thread, then runs its engine call on a thread
// of its own: the window keeps answering while a restarting controller is
// waited for. The outcome comes back as DriverCommandDone and is shown as a
// line in the status bar and, for what failed, in boxes.
void WriteIoToController(HWND window, AppState& state);
void ResetControllerToDefaults(HWND window, AppState& state);

// Posted by the command's thread when the engine call has returned; lParam
// is the DriverJob.
constexpr UINT DriverCommandDone = WM_APP + 2;
// Brings the status bar's account of the running command up to date.
constexpr UINT_PTR DriverProgressTimer = 1;
constexpr UINT DriverProgressInterval = 500;

bool DriverCommandRunning(const AppState& state);
void ShowDriverProgress(HWND window, AppState& state);
void FinishDriverCommand(HWND window, AppState& state, LPARAM job);
// Asked to close meanwhile: the window says it will close when the command
// has ended, and does so then; a command is never ended half-way.
void CloseWhenDriverCommandEnds(HWND window, AppState& state);
// As the window goes: waits for a command still running, whose outcome no
// one will see.
void WaitForDriverCommand(HWND window, AppState& state);
