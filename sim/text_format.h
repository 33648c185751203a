// printf-style formatting into a std::string, for log lines and dialog texts.
#pragma once

#include <cstdint>
#include <string>

std::string formatText(const char* format, ...) __attribute__((format(printf, 1, 2)));

// A pointer or window handle as the log shows it: 0x%08X of its value.
std::string formatAddress(const void* pointer);
