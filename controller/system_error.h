// The error code a failed call left. The system's words for it are in
// controller/messages.h.
#pragma once

#include <windows.h>

// GetLastError(), or `fallback` when a call failed without setting it.
DWORD LastErrorOr(DWORD fallback);
