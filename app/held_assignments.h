// What the window holds about its assignments besides the image itself, and
// the one way a command puts assignments in the window: Read I/O, Open File,
// Open Copy, a dropped file and the command line's file all hold them alike,
// so that none of them forgets a field the others set.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "ioconfig/controller_number.h"
#include "ioconfig/io_config_image.h"
#include "ioconfig/io_map.h"

struct AppState;
struct DriverJob;

struct HeldAssignments {
    // Where the image came from, as the caption names it ("Controller 0",
    // "press7.tvxio"); empty until one is held.
    std::string source;
    // The full path of the file the image came from or was saved to; empty
    // for a controller's.
    std::string sourcePath;
    // The channel labels of the file the image came from.
    ChannelLabels labels;
    // Changes neither saved nor written since.
    bool unsaved = false;
    // The controller the assignments were read from; none for a file's.
    std::optional<ControllerNumber> readFrom;
    // What the last Write, Reset or export did, shown in the status bar.
    std::string statusLine;
    // The Write or Reset whose engine call runs on its own thread; none
    // when idle.
    DriverJob* driverJob = nullptr;
    // Closing was asked for while it ran: the window closes when it ends.
    bool closeWhenDone = false;
};

// Where assignments about to be held came from.
struct HeldSource {
    std::string name;  // as the caption names it
    std::string path;  // a file's full path; empty for a controller
    std::optional<ControllerNumber> readFrom;
    ChannelLabels labels;
};
// "Controller N", read from it, without labels.
HeldSource ControllerSource(ControllerNumber controllerNumber);
// The file's name, its path and the labels it holds.
HeldSource FileSource(const std::string& path, ChannelLabels labels);

// The window holds image, as it came from `from` and unchanged since, and
// shows it: caption, status bar, scroll ranges, repaint. image may be the
// window's own, which a controller is read into in place. The status line
// and a Write or Reset under way are left as they are.
void HoldAssignments(HWND window, AppState& state, const IoConfigImage& image, HeldSource from);
// After Save As: the assignments come from the file saved and are saved;
// the controller they were read from stays, as Write names it.
void HoldSavedFile(HWND window, AppState& state, const std::string& path);
