#include "controller/whole_file.h"

#include <windows.h>

#include "controller/system_error.h"
#include "controller/system_handles.h"

namespace {

// The new files beside their targets: "qlt" and four hexadecimal digits, ".tmp".
constexpr const char* NewFilePrefix = "qlt";

// Below this, a file that did not read back is taken to have met a full disk.
constexpr ULONGLONG NearlyFull = 64 * 1024;

std::string FolderOf(const std::string& path) {
    const size_t end = path.find_last_of("\\/");
    return end == std::string::npos ? "." : path.substr(0, end + 1);
}

uint32_t Flush(const std::string& path) {
    const UniqueFile file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                      nullptr));
    if (!file.IsOpen()) return LastErrorOr(ERROR_OPEN_FAILED);
    if (!FlushFileBuffers(file.Get())) return LastErrorOr(ERROR_WRITE_FAULT);
    return 0;
}

uint32_t NotReadBackError(const std::string& folder, const std::string& differing, std::string* differingKey) {
    ULARGE_INTEGER available{};
    if (GetDiskFreeSpaceExA(folder.c_str(), &available, nullptr, nullptr) && available.QuadPart < NearlyFull)
        return ERROR_DISK_FULL;
    if (differing.empty()) return ERROR_WRITE_FAULT;
    if (differingKey != nullptr) *differingKey = differing;
    return ERROR_INVALID_DATA;
}

// The steps after the new file exists, up to its move into place; the
// caller removes it on failure.
uint32_t FillCheckAndPlace(const std::string& newFile, const std::function<uint32_t(const std::string&)>& write,
                           const ReadBackCheck& readsBack, std::string* differingKey,
                           const std::function<uint32_t(const std::string&)>& place) {
    if (const uint32_t error = write(newFile)) return error;
    if (const uint32_t error = Flush(newFile)) return error;
    if (const std::optional<std::string> differing = readsBack(newFile))
        return NotReadBackError(FolderOf(newFile), *differing, differingKey);
    return place(newFile);
}

// A new file in folder, so that the last step is a rename on one disk; a
// folder whose path leaves no room for its name is said to be too long.
uint32_t WriteAndPlace(const std::string& folder, const std::function<uint32_t(const std::string&)>& write,
                       const ReadBackCheck& readsBack, std::string* differingKey,
                       const std::function<uint32_t(const std::string&)>& place) {
    constexpr size_t NewFileNameLength = 14;
    if (folder.size() > MAX_PATH - NewFileNameLength) return ERROR_FILENAME_EXCED_RANGE;
    char newFile[MAX_PATH + 16] = {};
    if (GetTempFileNameA(folder.c_str(), NewFilePrefix, 0, newFile) == 0) {
        // A folder that is not there, or is a file, is a path not found.
        const DWORD error = LastErrorOr(ERROR_PATH_NOT_FOUND);
        return error == ERROR_DIRECTORY ? ERROR_PATH_NOT_FOUND : error;
    }
    const uint32_t error = FillCheckAndPlace(newFile, write, readsBack, differingKey, place);
    if (error != 0) DeleteFileA(newFile);
    return error;
}

}  // namespace

uint32_t WriteWholeFile(const std::string& target, bool keepExisting,
                        const std::function<uint32_t(const std::string& newFile)>& write,
                        const ReadBackCheck& readsBack, std::string* differingKey) {
    const auto fill = [&](const std::string& newFile) -> uint32_t {
        if (keepExisting && !CopyFileA(target.c_str(), newFile.c_str(), FALSE) && GetLastError() != ERROR_FILE_NOT_FOUND)
            return LastErrorOr(ERROR_WRITE_FAULT);
        return write(newFile);
    };
    return WriteAndPlace(FolderOf(target), fill, readsBack, differingKey, [&](const std::string& newFile) -> uint32_t {
        if (MoveFileExA(newFile.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return 0;
        return LastErrorOr(ERROR_WRITE_FAULT);
    });
}

uint32_t WriteNewWholeFile(const std::string& folder, const std::function<std::string(int attempt)>& nameFor,
                           const std::function<uint32_t(const std::string& newFile)>& write,
                           const ReadBackCheck& readsBack, std::string& path, std::string* differingKey) {
    constexpr int MostTries = 1000;
    return WriteAndPlace(folder + "\\", write, readsBack, differingKey, [&](const std::string& newFile) -> uint32_t {
        for (int attempt = 1; attempt <= MostTries; ++attempt) {
            path = nameFor(attempt);
            // Without MOVEFILE_REPLACE_EXISTING: a name taken meanwhile is not ours.
            if (MoveFileExA(newFile.c_str(), path.c_str(), MOVEFILE_WRITE_THROUGH)) return 0;
            const DWORD error = LastErrorOr(ERROR_WRITE_FAULT);
            if (error != ERROR_ALREADY_EXISTS && error != ERROR_FILE_EXISTS) return error;
        }
        return ERROR_FILE_EXISTS;
    });
}

void RemoveNewFilesLeftBehind(const std::string& folder, unsigned olderThanSeconds) {
    WIN32_FIND_DATAA found;
    const UniqueFind search(FindFirstFileA((folder + "\\" + NewFilePrefix + "*.tmp").c_str(), &found));
    if (!search.IsOpen()) return;
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    const auto ticks = [](const FILETIME& time) {
        return (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    };
    do {
        if (ticks(now) - ticks(found.ftLastWriteTime) > olderThanSeconds * 10000000ull)
            DeleteFileA((folder + "\\" + found.cFileName).c_str());
    } while (FindNextFileA(search.Get(), &found));
}

uint32_t WriteWholeTextFile(const std::string& target, const std::string& text) {
    const auto write = [&text](const std::string& newFile) -> uint32_t {
        const UniqueFile file(
            CreateFileA(newFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD written = 0;
        if (!file.IsOpen() || !WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr))
            return LastErrorOr(ERROR_WRITE_FAULT);
        return written == text.size() ? 0 : ERROR_WRITE_FAULT;
    };
    const auto readsBack = [&text](const std::string& newFile) -> std::optional<std::string> {
        const UniqueFile file(CreateFileA(newFile.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
        std::string read(text.size() + 1, '\0');
        DWORD count = 0;
        if (file.IsOpen() && ReadFile(file.Get(), read.data(), static_cast<DWORD>(read.size()), &count, nullptr) &&
            read.compare(0, count, text) == 0 && count == text.size())
            return std::nullopt;
        return "";
    };
    return WriteWholeFile(target, false, write, readsBack);
}
