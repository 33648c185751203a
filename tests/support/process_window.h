// Finding the windows of another process, for tests and benchmarks that run
// quillet.exe whole.
#pragma once

#include <windows.h>

// The first top-level window of the process with the class name (and, when
// asked, visible); null when there is none.
HWND FindProcessWindow(DWORD processId, const char* className, bool visible);
