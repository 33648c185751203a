#include "controller/driver_backup.h"

#include <cstdio>

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

uint32_t LastErrorOr(uint32_t fallback) {
    const DWORD error = GetLastError();
    return error != 0 ? error : fallback;
}

uint32_t WriteValue(const std::string& path, const char* section, const std::string& key, const std::string& value) {
    if (WritePrivateProfileStringA(section, key.c_str(), value.c_str(), path.c_str())) return 0;
    return LastErrorOr(ERROR_WRITE_FAULT);
}

// The section [Backup] first, so that the records are written last, as
// Save As writes them.
uint32_t WriteBackupFile(const std::string& path, uint16_t controllerNumber, const char* before,
                         const SYSTEMTIME& taken, const std::vector<StoredAxisValue>& values) {
    const std::pair<const char*, std::string> header[] = {
        {"Controller", ControllerNumberText(controllerNumber)},
        {"Taken", Stamp("%04u-%02u-%02u %02u:%02u:%02u", taken)},
        {"Before", before},
    };
    for (const auto& [key, value] : header)
        if (const uint32_t error = WriteValue(path, BackupSection, key, value)) return error;
    for (const StoredAxisValue& value : values) {
        const std::string text = EncodeByteText(value.bytes.data(), value.bytes.size());
        if (const uint32_t error = WriteValue(path, ConfigFileSection, AxisValueName(value.axis), text)) return error;
    }
    return 0;
}

}  // namespace

std::string FreeBackupPath(const std::string& folder, uint16_t controllerNumber, const SYSTEMTIME& taken) {
    const std::string stem = folder + "\\controller" + ControllerNumberText(controllerNumber) + "-" +
                             Stamp("%04u%02u%02u-%02u%02u%02u", taken);
    std::string path = stem + ".tvxio";
    for (int copy = 2; Exists(path); ++copy) path = stem + "-" + std::to_string(copy) + ".tvxio";
    return path;
}

DriverBackup BackUpDriverIoConfig(uint16_t controllerNumber, const std::string& folder, const char* before,
                                  const SYSTEMTIME& taken) {
    const std::vector<StoredAxisValue> values = ReadStoredAxisValues(controllerNumber);
    if (values.empty()) return {};
    DriverBackup backup;
    if (!CreateDirectoryA(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
        backup.error = LastErrorOr(ERROR_PATH_NOT_FOUND);
        backup.path = FreeBackupPath(folder, controllerNumber, taken);
        return backup;
    }
    backup.path = FreeBackupPath(folder, controllerNumber, taken);
    backup.error = WriteBackupFile(backup.path, controllerNumber, before, taken, values);
    return backup;
}
