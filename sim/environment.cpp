#include "sim/environment.h"

#include <windows.h>

std::optional<std::string> readEnvironmentVariable(const char* name)
{
    std::string value(256, '\0');
    for (;;) {
        DWORD length = GetEnvironmentVariableA(name, value.data(), static_cast<DWORD>(value.size()));
        if (length == 0) {
            return std::nullopt;
        }
        if (length < value.size()) {
            value.resize(length);
            return value;
        }
        // Too small: length is the size needed, terminator included.
        value.assign(length, '\0');
    }
}
