// The main window's own menu commands: reading the I/O configuration and the
// dialog library's dialogs. Each fetches the AppState from the window.
#pragma once

#include <windows.h>

void ReadIoFromController(HWND window);
void ShowControllerInfo(HWND window);
void SelectController(HWND window);
void ShowAboutBox(HWND window);
