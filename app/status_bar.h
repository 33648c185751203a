// The status bar at the foot of the main window: the controller that the
// controller commands go to, always, and what the last Write, Reset or
// export did.
#pragma once

#include <windows.h>

struct AppState;

// The bar's first part says "Controller N", its second the status line.
constexpr int TargetPart = 0;
constexpr int StatusLinePart = 1;

// Loads the common controls for it; false when it could not be made.
bool CreateStatusBar(HWND window);
HWND StatusBarOf(HWND window);

void ShowStatusBar(HWND window, const AppState& state);

// After the main window's size or DPI changed: the bar keeps to its foot,
// its parts to the DPI.
void FitStatusBar(HWND window);
// The client area above the status bar, where the summary is drawn.
RECT SummaryArea(HWND window);
