// Menu commands that bring the assignments to the controller through its
// driver: store or remove the axis records, then restart the controller.
#pragma once

#include <windows.h>

void WriteIoToController(HWND window);
void ResetControllerToDefaults(HWND window);
