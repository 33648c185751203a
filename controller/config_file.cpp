#include "controller/config_file.h"

#include <windows.h>

#include <optional>
#include <string_view>
#include <vector>

#include "ioconfig/record_text.h"
#include "ioconfig/store_names.h"
#include "ioconfig/white_space.h"

namespace {

constexpr DWORD ProfileValueSize = 256;

// A value longer than the buffer comes back cut, perhaps inside a number:
// then only the numbers before its last blank are whole.
std::string_view WholeNumbers(std::string_view value) {
    if (value.size() < ProfileValueSize - 1) return value;
    while (!value.empty() && !IsWhiteSpace(value.back())) value.remove_suffix(1);
    return value;
}

// Empty when the key is missing or holds nothing.
std::string ReadProfileValue(const std::string& path, const std::string& key) {
    char value[ProfileValueSize] = {};
    const DWORD length =
        GetPrivateProfileStringA(ConfigFileSection, key.c_str(), "", value, sizeof value, path.c_str());
    return std::string(value, length);
}

// The key names of the file's section, as the profile functions list them.
std::vector<std::string> SectionKeys(const std::string& path) {
    std::vector<char> names(32768);
    const DWORD length = GetPrivateProfileStringA(ConfigFileSection, nullptr, "", names.data(),
                                                  static_cast<DWORD>(names.size()), path.c_str());
    std::vector<std::string> keys;
    for (DWORD at = 0; at < length && names[at] != '\0';) {
        keys.emplace_back(names.data() + at);
        at += static_cast<DWORD>(keys.back().size()) + 1;
    }
    return keys;
}

bool HasKey(const std::vector<std::string>& keys, const std::string& key) {
    for (const std::string& name : keys)
        if (lstrcmpiA(name.c_str(), key.c_str()) == 0) return true;
    return false;
}

// Null removes the key.
uint32_t WriteProfileValue(const std::string& path, const std::string& key, const char* value) {
    if (WritePrivateProfileStringA(ConfigFileSection, key.c_str(), value, path.c_str())) return 0;
    const DWORD error = GetLastError();
    return error != 0 ? error : ERROR_WRITE_FAULT;
}

}  // namespace

ConfigFileRead ReadIoConfigFile(const std::string& path, IoConfigImage& image) {
    // Decoded into a copy: a refused file leaves the image as it was.
    IoConfigImage loaded = image;
    ConfigFileRead read;
    for (int axis = 1; axis <= MaxAxisRecords; ++axis) {
        const std::string key = AxisValueName(axis);
        const std::string value = ReadProfileValue(path, key);
        if (value.empty()) break;
        const std::optional<AxisIoRecord> record = DecodeRecordText(WholeNumbers(value));
        if (!record) return {ConfigFileReadStatus::Damaged, 0, key};
        SetAxisRecord(loaded, axis, *record);
        read.axisCount = axis;
    }
    if (read.axisCount == 0) return {ConfigFileReadStatus::NoRecords, 0, AxisValueName(1)};
    SetAxisCount(loaded, static_cast<uint16_t>(read.axisCount));
    image = loaded;
    return read;
}

uint32_t WriteIoConfigFile(const std::string& path, const IoConfigImage& image) {
    const int inUse = AxisRecordsInUse(image);
    if (inUse == 0) return 0;
    // Removed first: the profile functions rewrite the file at every call,
    // and the records go last, as the file's readers expect them.
    const std::vector<std::string> keys = SectionKeys(path);
    for (int axis = inUse + 1; axis <= MaxAxisRecords; ++axis) {
        if (!HasKey(keys, AxisValueName(axis))) continue;
        if (const uint32_t error = WriteProfileValue(path, AxisValueName(axis), nullptr)) return error;
    }
    for (int axis = 1; axis <= inUse; ++axis) {
        const std::string text = EncodeRecordText(GetAxisRecord(image, axis));
        if (const uint32_t error = WriteProfileValue(path, AxisValueName(axis), text.c_str())) return error;
    }
    return 0;
}
