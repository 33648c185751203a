#include "controller/whole_file.h"

#include <windows.h>

#include "controller/system_error.h"
#include "controller/system_handles.h"

namespace {

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

uint32_t NotReadBackError(const std::string& folder) {
    ULARGE_INTEGER available{};
    if (GetDiskFreeSpaceExA(folder.c_str(), &available, nullptr, nullptr) && available.QuadPart < NearlyFull)
        return ERROR_DISK_FULL;
    return ERROR_WRITE_FAULT;
}

// The steps after the new file exists; the caller removes it on failure.
uint32_t FillCheckAndReplace(const std::string& target, const std::string& newFile, bool keepExisting,
                             const std::function<uint32_t(const std::string&)>& write,
                             const std::function<bool(const std::string&)>& readsBack) {
    if (keepExisting && !CopyFileA(target.c_str(), newFile.c_str(), FALSE) && GetLastError() != ERROR_FILE_NOT_FOUND)
        return LastErrorOr(ERROR_WRITE_FAULT);
    if (const uint32_t error = write(newFile)) return error;
    if (const uint32_t error = Flush(newFile)) return error;
    if (!readsBack(newFile)) return NotReadBackError(FolderOf(newFile));
    if (!MoveFileExA(newFile.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return LastErrorOr(ERROR_WRITE_FAULT);
    return 0;
}

}  // namespace

uint32_t WriteWholeFile(const std::string& target, bool keepExisting,
                        const std::function<uint32_t(const std::string& newFile)>& write,
                        const std::function<bool(const std::string& newFile)>& readsBack) {
    // In the target's folder, so that the last step is a rename on one disk;
    // a folder whose path leaves no room for its name is said to be too long.
    constexpr size_t NewFileNameLength = 14;
    if (FolderOf(target).size() > MAX_PATH - NewFileNameLength) return ERROR_FILENAME_EXCED_RANGE;
    char newFile[MAX_PATH + 16] = {};
    if (GetTempFileNameA(FolderOf(target).c_str(), "qlt", 0, newFile) == 0) {
        // A folder that is not there, or is a file, is a path not found.
        const DWORD error = LastErrorOr(ERROR_PATH_NOT_FOUND);
        return error == ERROR_DIRECTORY ? ERROR_PATH_NOT_FOUND : error;
    }
    const uint32_t error = FillCheckAndReplace(target, newFile, keepExisting, write, readsBack);
    if (error != 0) DeleteFileA(newFile);
    return error;
}

uint32_t ClaimNewFile(const std::string& path) {
    const UniqueFile file(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.IsOpen()) return 0;
    const DWORD error = LastErrorOr(ERROR_OPEN_FAILED);
    return error == ERROR_ALREADY_EXISTS ? ERROR_FILE_EXISTS : error;
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
    const auto readsBack = [&text](const std::string& newFile) {
        const UniqueFile file(CreateFileA(newFile.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
        std::string read(text.size() + 1, '\0');
        DWORD count = 0;
        return file.IsOpen() && ReadFile(file.Get(), read.data(), static_cast<DWORD>(read.size()), &count, nullptr) &&
               read.compare(0, count, text) == 0 && count == text.size();
    };
    return WriteWholeFile(target, false, write, readsBack);
}
