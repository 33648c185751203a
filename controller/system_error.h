// The system's own words for an error code, which every failure Quillet and
// tvxio report ends with.
#pragma once

#include <windows.h>

#include <string>

// The system's sentence for the code, without its line break, or "Error n."
// where the system has none.
std::string SystemErrorText(DWORD error);

// GetLastError(), or `fallback` when a call failed without setting it.
DWORD LastErrorOr(DWORD fallback);
