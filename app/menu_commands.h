// The main window's own menu commands: reading the I/O configuration and the
// dialog library's dialogs.
#pragma once

#include <windows.h>

struct AppState;

void ReadIoFromController(HWND window, AppState& state);
void ShowControllerInfo(HWND window, const AppState& state);
void SelectController(HWND window, AppState& state);
void ShowAboutBox(HWND window);
