// Environment variables as the process sees them now: tests set them with
// SetEnvironmentVariable between calls, which the C runtime's copy misses.
#pragma once

#include <optional>
#include <string>

// The variable's value, or nothing when it is unset or empty.
std::optional<std::string> ReadEnvironmentVariable(const char* name);
