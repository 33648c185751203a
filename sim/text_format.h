// printf-style formatting into a std::string, for log lines and dialog texts.
#pragma once

#include <string>

std::string FormatText(const char* format, ...) __attribute__((format(printf, 1, 2)));

// A pointer or window handle as the log shows it: 0x%08X of its value.
std::string FormatAddress(const void* pointer);

// A string argument as the log shows it: in double quotes, or NULL.
std::string FormatQuotedOrNull(const char* text);
