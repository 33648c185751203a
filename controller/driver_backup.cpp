#include "controller/driver_backup.h"

#include <algorithm>
#include <cstdio>

#include "controller/system_error.h"
#include "controller/system_handles.h"
#include "ioconfig/record_text.h"
#include "ioconfig/store_names.h"

namespace {

constexpr const char* BackupSection = "Backup";

std::string Stamp(const char* format, const SYSTEMTIME& time) {
    char text[32];
    std::snprintf(text, sizeof text, format, time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute,
                  time.wSecond);
    return text;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

uint32_t WriteValue(const std::string& path, const char* section, const std::string& key, const std::string& value) {
    if (WritePrivateProfileStringA(section, key.c_str(), value.c_str(), path.c_str())) return 0;
    return LastErrorOr(ERROR_WRITE_FAULT);
}

// The section [Backup] first, so that the records are written last, as
// Save As writes them.
uint32_t WriteBackupFile(const std::string& path, uint16_t controllerNumber, const BackupOccasion& occasion,
                         const std::vector<StoredAxisValue>& values) {
    std::vector<std::pair<const char*, std::string>> header = {
        {"Controller", ControllerNumberText(controllerNumber)},
        {"Taken", Stamp("%04u-%02u-%02u %02u:%02u:%02u", occasion.taken)},
        {"Before", occasion.before},
    };
    if (!occasion.note.empty()) header.push_back({"Note", occasion.note});
    for (const auto& [key, value] : header)
        if (const uint32_t error = WriteValue(path, BackupSection, key, value)) return error;
    for (const StoredAxisValue& value : values) {
        const std::string text = EncodeByteText(value.bytes.data(), value.bytes.size());
        if (const uint32_t error = WriteValue(path, ConfigFileSection, AxisValueName(value.axis), text)) return error;
    }
    return 0;
}

// The copies' folder is made on first use, with the folders above it that
// are missing: tvxio may keep a copy before Quillet ever ran.
uint32_t CreateFolderPath(const std::string& folder) {
    for (size_t end = folder.find('\\', 3); end != std::string::npos; end = folder.find('\\', end + 1))
        CreateDirectoryA(folder.substr(0, end).c_str(), nullptr);
    if (CreateDirectoryA(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS) return 0;
    return LastErrorOr(ERROR_PATH_NOT_FOUND);
}

std::string BackupValue(const std::string& path, const char* section, const std::string& key) {
    char value[256] = {};
    GetPrivateProfileStringA(section, key.c_str(), "", value, sizeof value, path.c_str());
    return value;
}

BackupCopy ReadBackupCopy(const std::string& path) {
    BackupCopy copy;
    copy.path = path;
    copy.controller = BackupValue(path, BackupSection, "Controller");
    copy.taken = BackupValue(path, BackupSection, "Taken");
    copy.before = BackupValue(path, BackupSection, "Before");
    for (int axis = 1; axis <= MaxAxisRecords; ++axis)
        if (!BackupValue(path, ConfigFileSection, AxisValueName(axis)).empty()) ++copy.axes;
    return copy;
}

}  // namespace

std::string FreeBackupPath(const std::string& folder, uint16_t controllerNumber, const SYSTEMTIME& taken) {
    const std::string stem = folder + "\\controller" + ControllerNumberText(controllerNumber) + "-" +
                             Stamp("%04u%02u%02u-%02u%02u%02u", taken);
    std::string path = stem + ".tvxio";
    for (int copy = 2; Exists(path); ++copy) path = stem + "-" + std::to_string(copy) + ".tvxio";
    return path;
}

DriverBackup BackUpDriverIoConfig(uint16_t controllerNumber, const std::string& folder,
                                  const BackupOccasion& occasion) {
    const std::vector<StoredAxisValue> values = ReadStoredAxisValues(controllerNumber);
    if (values.empty()) return {};
    DriverBackup backup;
    backup.error = CreateFolderPath(folder);
    backup.path = FreeBackupPath(folder, controllerNumber, occasion.taken);
    if (backup.error == 0) backup.error = WriteBackupFile(backup.path, controllerNumber, occasion, values);
    return backup;
}

std::vector<BackupCopy> ListBackups(const std::string& folder) {
    std::vector<BackupCopy> copies;
    WIN32_FIND_DATAA found;
    const UniqueFind search(FindFirstFileA((folder + "\\*.tvxio").c_str(), &found));
    if (!search.IsOpen()) return copies;
    do copies.push_back(ReadBackupCopy(folder + "\\" + found.cFileName));
    while (FindNextFileA(search.Get(), &found));
    std::sort(copies.begin(), copies.end(), [](const BackupCopy& a, const BackupCopy& b) {
        return a.taken != b.taken ? a.taken > b.taken : a.path > b.path;
    });
    return copies;
}
