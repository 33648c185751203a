#include "controller/config_file.h"

#include <windows.h>

#include <optional>
#include <vector>

#include "controller/profile_file.h"
#include "controller/system_error.h"
#include "controller/system_handles.h"
#include "controller/whole_file.h"
#include "ioconfig/record_text.h"
#include "ioconfig/store_names.h"

namespace {

// Removed first: the profile functions rewrite the file at every call, and
// the records go last, as the file's readers expect them.
uint32_t WriteRecords(const std::string& path, const IoConfigImage& image) {
    const int inUse = AxisRecordsInUse(image);
    for (int axis = inUse + 1; axis <= MaxAxisRecords; ++axis) {
        // An empty key is read as none: kept, as every key Quillet does not read.
        if (ReadProfileValue(path, ConfigFileSection, AxisValueName(axis)).empty()) continue;
        if (const uint32_t error = WriteProfileValue(path, ConfigFileSection, AxisValueName(axis), nullptr))
            return error;
    }
    for (int axis = 1; axis <= inUse; ++axis) {
        const std::string text = EncodeRecordText(GetAxisRecord(image, axis));
        if (const uint32_t error = WriteProfileValue(path, ConfigFileSection, AxisValueName(axis), text.c_str()))
            return error;
    }
    return 0;
}

std::vector<ProfileEntry> LabelEntries(const ChannelLabels& labels) {
    std::vector<ProfileEntry> entries;
    for (const auto& [channel, label] : labels) entries.push_back({ChannelLabelsSection, ChannelLabelKey(channel), label});
    return entries;
}

// The labels go before the records, which stay last. Of the file's
// [ChannelLabels], only the keys read as labels give way.
uint32_t WriteLabels(const std::string& path, const ChannelLabels& labels) {
    if (labels.empty()) return 0;
    for (const std::string& key : SectionKeys(path, ChannelLabelsSection))
        if (LabelledChannel(key))
            if (const uint32_t error = WriteProfileValue(path, ChannelLabelsSection, key, nullptr)) return error;
    return WriteProfileEntries(path, LabelEntries(labels));
}

// Read as Open File reads it, the file holds exactly the records in use:
// else the first value that differs.
std::optional<std::string> FirstRecordNotReadBack(const std::string& path, const IoConfigImage& image) {
    IoConfigImage read;
    const ConfigFileRead status = ReadIoConfigFile(path, read);
    if (status.status != ConfigFileReadStatus::Read) return status.key;
    const int inUse = AxisRecordsInUse(image);
    for (int axis = 1; axis <= inUse; ++axis)
        if (axis > GetAxisCount(read) || GetAxisRecord(read, axis).bytes != GetAxisRecord(image, axis).bytes)
            return AxisValueName(axis);
    if (GetAxisCount(read) != inUse) return AxisValueName(inUse + 1);
    return std::nullopt;
}

std::optional<std::string> FirstLabelNotReadBack(const std::string& path, const ChannelLabels& labels) {
    const ChannelLabels read = ReadChannelLabels(path);
    for (const auto& [channel, label] : labels)
        if (const auto found = read.find(channel); found == read.end() || found->second != label)
            return ChannelLabelKey(channel);
    return std::nullopt;
}

bool SameName(const std::string& name, const char* other) { return lstrcmpiA(name.c_str(), other) == 0; }

bool IsAxisKeyRead(const std::string& key, int axisCount) {
    for (int axis = 1; axis <= axisCount; ++axis)
        if (SameName(key, AxisValueName(axis).c_str())) return true;
    return false;
}

// A file that is not there reads as one without records, as a new file
// named in the open dialog is.
ConfigFileRead RefusedAsAFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return {};
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return {ConfigFileReadStatus::Folder, 0, "", 0};
    const UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsOpen()) return {ConfigFileReadStatus::Unreadable, 0, "", LastErrorOr(ERROR_OPEN_FAILED)};
    return {};
}

}  // namespace

ConfigFileRead ReadIoConfigFile(const std::string& path, IoConfigImage& image) {
    if (const ConfigFileRead refused = RefusedAsAFile(path); refused.status != ConfigFileReadStatus::Read) return refused;
    // Decoded into a copy: a refused file leaves the image as it was.
    IoConfigImage loaded = image;
    ConfigFileRead read;
    for (int axis = 1; axis <= MaxAxisRecords; ++axis) {
        const std::string key = AxisValueName(axis);
        const std::string value = ReadProfileValue(path, ConfigFileSection, key);
        if (value.empty()) break;
        // A value too long to be read whole is no record either.
        const std::optional<AxisIoRecord> record =
            value.size() <= LongestProfileValue ? DecodeRecordText(value) : std::nullopt;
        if (!record) return {ConfigFileReadStatus::Damaged, 0, key};
        SetAxisRecord(loaded, axis, *record);
        read.axisCount = axis;
    }
    const std::string missing = AxisValueName(read.axisCount + 1);
    if (read.axisCount == 0) return {ConfigFileReadStatus::NoRecords, 0, missing};
    // The axes are the keys from Axis1IOConfig on: one past a gap would be
    // dropped without a word.
    if (read.axisCount + 2 <= MaxAxisRecords) {
        const std::vector<std::string> keys = SectionKeys(path, ConfigFileSection);
        for (int axis = read.axisCount + 2; axis <= MaxAxisRecords; ++axis)
            if (HasKey(keys, AxisValueName(axis))) return {ConfigFileReadStatus::NoRecords, 0, missing};
    }
    SetAxisCount(loaded, static_cast<uint16_t>(read.axisCount));
    image = loaded;
    return read;
}

uint32_t WriteIoConfigFile(const std::string& path, const IoConfigImage& image, const ChannelLabels& labels,
                           std::string* differingKey) {
    if (AxisRecordsInUse(image) == 0) return 0;
    return WriteWholeFile(
        path, true,
        [&](const std::string& newFile) {
            if (const uint32_t error = WriteLabels(newFile, labels)) return error;
            return WriteRecords(newFile, image);
        },
        [&](const std::string& newFile) -> std::optional<std::string> {
            if (auto differing = FirstRecordNotReadBack(newFile, image)) return differing;
            return FirstLabelNotReadBack(newFile, labels);
        },
        differingKey);
}

ChannelLabels ReadChannelLabels(const std::string& path, std::vector<int>* cutChannels) {
    ChannelLabels labels;
    for (const std::string& key : SectionKeys(path, ChannelLabelsSection))
        if (const std::optional<int> channel = LabelledChannel(key))
            labels[*channel] = ReadProfileValue(path, ChannelLabelsSection, key);
    // Read with room for far more, so that a longer label is known as one.
    for (auto& [channel, label] : labels) {
        if (label.size() <= LongestChannelLabel) continue;
        label.resize(LongestChannelLabel);
        if (cutChannels != nullptr) cutChannels->push_back(channel);
    }
    return labels;
}

std::vector<std::string> UnreadKeys(const std::string& path, int axisCount) {
    std::vector<std::string> unread;
    for (const std::string& section : SectionNames(path)) {
        const bool records = SameName(section, ConfigFileSection);
        if (!records && !SameName(section, ChannelLabelsSection)) {
            if (!SameName(section, BackupSection)) unread.push_back("[" + section + "]");
            continue;
        }
        for (const std::string& key : SectionKeys(path, section.c_str()))
            if (records ? !IsAxisKeyRead(key, axisCount) : !LabelledChannel(key))
                unread.push_back("[" + section + "] " + key);
    }
    return unread;
}
