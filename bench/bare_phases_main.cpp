// The bare window program's start-up with the end of each phase stamped.
#include <windows.h>

#include "bench/bare_window.h"
#include "bench/phase_stamps.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    StampPhase("to WinMain");
    WatchStartUpPhases(BareWindowClassName);
    const int exitCode = RunBareWindow(instance, showCommand);
    WriteStamps();
    return exitCode;
}
