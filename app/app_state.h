// The application state record the main window owns from WM_CREATE to
// WM_DESTROY, reached through the window's GWLP_USERDATA slot.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "app/held_assignments.h"
#include "controller/quillet_settings.h"
#include "ioconfig/controller_number.h"
#include "ioconfig/io_config_image.h"

struct AppState {
    char saveFolder[PathFieldSize];
    IoConfigImage image;
    bool imageValid;
    HANDLE deviceHandle;
    HWND mainWindow;
    int32_t controllerId;
    char settingsPath[PathFieldSize];
    // What the window holds about its assignments. Where they came from is
    // set by HoldAssignments and HoldSavedFile alone, so that every load
    // sets all of it.
    HeldAssignments held;
};
static_assert(sizeof(bool) == 1, "imageValid is an 8-bit boolean");

// Builds the record for the window being created: image zeroed, no device
// handle, controller 0, then the settings file's path and the default folder.
AppState* CreateAppState(HWND window);
void DestroyAppState(AppState* state);

AppState* GetAppState(HWND window);
void AttachAppState(HWND window, AppState* state);

// The controller the window works on: controllerId by the window's lenient
// rule, since the settings file may hold any int32.
ControllerNumber SelectedController(const AppState& state);
