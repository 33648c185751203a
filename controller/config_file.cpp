#include "controller/config_file.h"

#include <windows.h>

#include <optional>
#include <string_view>

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
        if (!record) return {0, key};
        SetAxisRecord(loaded, axis, *record);
        read.axisCount = axis;
    }
    SetAxisCount(loaded, static_cast<uint16_t>(read.axisCount));
    image = loaded;
    return read;
}

bool WriteIoConfigFile(const std::string& path, const IoConfigImage& image) {
    for (int axis = 1; axis <= AxisRecordsInUse(image); ++axis) {
        const std::string text = EncodeRecordText(GetAxisRecord(image, axis));
        if (!WritePrivateProfileStringA(ConfigFileSection, AxisValueName(axis).c_str(), text.c_str(),
                                        path.c_str()))
            return false;
    }
    return true;
}
