// The application state record the main window owns from WM_CREATE to
// WM_DESTROY, reached through the window's GWLP_USERDATA slot.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "controller/quillet_settings.h"
#include "ioconfig/io_config_image.h"
#include "ioconfig/io_map.h"

struct DriverJob;

struct AppState {
    char saveFolder[PathFieldSize];
    IoConfigImage image;
    bool imageValid;
    HANDLE deviceHandle;
    HWND mainWindow;
    int32_t controllerId;
    char settingsPath[PathFieldSize];
    // Where the image came from, as the caption names it ("Controller 0",
    // "press7.tvxio"); empty until one is held.
    std::string source;
    // The full path of the file the image came from or was saved to; empty
    // for a controller's.
    std::string sourcePath;
    // Changes neither saved nor written since.
    bool unsaved;
    // The controller the assignments were read from; none for a file's.
    std::optional<uint16_t> readFrom;
    // What the last Write, Reset or export did, shown in the status bar.
    std::string statusLine;
    // The channel labels of the file the image came from.
    ChannelLabels labels;
    // The Write or Reset whose engine call runs on its own thread; none
    // when idle.
    DriverJob* driverJob;
    // Closing was asked for while it ran: the window closes when it ends.
    bool closeWhenDone;
};
static_assert(sizeof(bool) == 1, "imageValid is an 8-bit boolean");

// Builds the record for the window being created: image zeroed, no device
// handle, controller 0, then the settings file's path and the default folder.
AppState* CreateAppState(HWND window);
void DestroyAppState(AppState* state);

AppState* GetAppState(HWND window);
void AttachAppState(HWND window, AppState* state);

// The controller number the library calls and the driver names use.
uint16_t ControllerNumber(const AppState& state);

// "The window holds no axes: there is WHAT.", when a command needs axes.
std::string NoAxesText(const std::string& what);
