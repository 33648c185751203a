// Start-up: the main window class, the hidden main window, the library
// binding that decides whether Quillet may run, and the message loop.
#pragma once

#include <windows.h>

#include "controller/library_binding.h"
#include "ioconfig/messages.h"

constexpr const char* MainWindowClassName = "Quillet";
constexpr const char* MainWindowTitle = "Quillet";
constexpr int MainWindowWidth = 1000;

ATOM RegisterMainWindowClass(HINSTANCE instance);
// Creates the main window hidden, tall enough to show the tallest summary
// whole; its WM_CREATE builds the AppState.
HWND CreateMainWindow(HINSTANCE instance);

// Binds the API library, then the dialog library; on failure shows the
// version message for the library that failed and returns false.
bool BindControllerLibraries();
void ShowVersionMessage(ControllerLibrary library);

int RunMessageLoop(HWND window, HACCEL accelerators);

// WinMain's whole work; returns the process exit code.
int RunQuillet(HINSTANCE instance, char* commandLine, int showCommand);
