#include "sim/call_log.h"

#include <windows.h>

#include <cstdio>

#include "sim/environment.h"

void AppendToCallLog(const std::string& line) {
    std::optional<std::string> path = ReadEnvironmentVariable("KXSIM_LOG");
    if (!path) return;
    // Append-only access: every write lands at the current end, even when
    // another process writes to the same log.
    HANDLE file = CreateFileA(path->c_str(), FILE_APPEND_DATA,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    std::string text = line + "\n";
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

int CountLoggedCalls(const std::string& prefix) {
    std::optional<std::string> path = ReadEnvironmentVariable("KXSIM_LOG");
    if (!path) return 0;
    std::FILE* file = std::fopen(path->c_str(), "r");
    if (file == nullptr) return 0;
    int count = 0;
    char line[1024];
    while (std::fgets(line, sizeof line, file) != nullptr)
        if (std::string(line).rfind(prefix, 0) == 0) ++count;
    std::fclose(file);
    return count;
}
