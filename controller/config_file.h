// Configuration files (.tvxio): the axis records as hexadecimal text, one
// key per axis in the section "TVXIOConfig" of an INI file, read and
// written through the profile functions.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ioconfig/io_config_image.h"
#include "ioconfig/io_map.h"

// Folder and Unreadable: what was named is a folder, or a file that cannot be
// opened for reading (another program holds it without sharing, say), whose
// system reason is given. The profile functions would read either as empty.
enum class ConfigFileReadStatus { Read, Damaged, NoRecords, Folder, Unreadable };

struct ConfigFileRead {
    ConfigFileReadStatus status = ConfigFileReadStatus::Read;
    int axisCount = 0;   // records read, from Axis1IOConfig on
    std::string key;     // the damaged or missing key when not read
    uint32_t error = 0;  // why an Unreadable file cannot be read
};

// Reads the keys from Axis1IOConfig on, up to the first one missing or empty
// (at most 16), into image's records, and sets its axis count to their
// number. A file is refused, the image left as it was and the key named,
// when a value is not 64 plain hexadecimal numbers (Damaged), or when
// Axis1IOConfig is missing, or a later axis's key stands past a missing or
// empty one (NoRecords, naming the missing key).
ConfigFileRead ReadIoConfigFile(const std::string& path, IoConfigImage& image);

// Writes the records in use, after removing the file's values of the axes
// past them, so that no record of an earlier save is read back as one of
// these. Labels, when there are any, take the place of the file's (the keys
// of its [ChannelLabels] that name a channel). Every other key and section
// of the file is kept.
// The file is replaced whole, once what was written reads back; on failure
// it is as it was. Returns 0, or the system's error code of the step that
// failed, with the value that did not read back in *differingKey (see
// WriteWholeFile). With no record in use, nothing is written.
uint32_t WriteIoConfigFile(const std::string& path, const IoConfigImage& image, const ChannelLabels& labels = {},
                           std::string* differingKey = nullptr);

// The labels of a file's [ChannelLabels] section; keys that name no channel
// are left out. A label longer than LongestChannelLabel is kept to its
// first LongestChannelLabel characters, and its channel added to
// *cutChannels, in order.
ChannelLabels ReadChannelLabels(const std::string& path, std::vector<int>* cutChannels = nullptr);

// What Quillet does not read of a file whose axisCount records it read, as
// "[Section] Key", or "[Section]" for a whole section, in the file's order:
// the keys of [TVXIOConfig] but those axes', the keys of [ChannelLabels]
// that name no channel, and every other section but a copy's [Backup].
// Save As over the file keeps them.
std::vector<std::string> UnreadKeys(const std::string& path, int axisCount);
