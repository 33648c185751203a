#include "controller/driver_commands.h"

// The driver store comes with its own work; until then these do nothing.
void WriteIoToController(HWND) {}
void ResetControllerToDefaults(HWND) {}
