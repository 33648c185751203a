#include "sim/environment.h"

#include <windows.h>

std::optional<std::string> ReadEnvironmentVariable(const char* name) {
    std::string value(256, '\0');
    for (;;) {
        DWORD size = static_cast<DWORD>(value.size());
        DWORD length = GetEnvironmentVariableA(name, value.data(), size);
        if (length == 0) return std::nullopt;
        if (length < size) {
            value.resize(length);
            return value;
        }
        // Too small: length is the size needed, terminator included.
        value.assign(length, '\0');
    }
}
