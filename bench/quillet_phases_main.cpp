// Quillet's start-up, RunQuillet itself, with the end of each phase stamped.
#include <windows.h>

#include "app/startup.h"
#include "bench/phase_stamps.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand) {
    StampPhase("to WinMain");
    WatchStartUpPhases(MainWindowClassName);
    const int exitCode = RunQuillet(instance, commandLine, showCommand);
    WriteStamps();
    return exitCode;
}
