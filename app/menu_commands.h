// The main window's own menu commands: reading the I/O configuration and the
// dialog library's dialogs.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

struct AppState;

// Shown when the controller opened but its I/O configuration could not be
// read, and when Read or Controller Info cannot open it.
std::string ReadFailureText(uint16_t controllerNumber);
std::string OpenFailureText(uint16_t controllerNumber);

void ReadIoFromController(HWND window, AppState& state);
void ShowControllerInfo(HWND window, const AppState& state);
void SelectController(HWND window, AppState& state);
void ShowAboutBox(HWND window);
