// The floor program of start-up and footprint: the least a Win32 program
// does to show a window of Quillet's size and wait for input.
#pragma once

#include <windows.h>

constexpr const char* BareWindowClassName = "QuilletBenchBareWindow";

// Registers the class, creates and shows a 1000 x 420 window and runs the
// message loop until it is closed; returns the exit code.
int RunBareWindow(HINSTANCE instance, int showCommand);
