// Configuration files (.tvxio): the axis records as hexadecimal text, one
// key per axis in the section "TVXIOConfig" of an INI file, read and
// written through the profile functions.
#pragma once

#include <cstdint>
#include <string>

#include "ioconfig/io_config_image.h"

enum class ConfigFileReadStatus { Read, Damaged, NoRecords };

struct ConfigFileRead {
    ConfigFileReadStatus status = ConfigFileReadStatus::Read;
    int axisCount = 0;  // records read, from Axis1IOConfig on
    std::string key;    // the damaged or missing key when not read
};

// Reads the keys from Axis1IOConfig on, up to the first one missing (at most
// 16), into image's records, and sets its axis count to their number. A file
// without Axis1IOConfig, or with a value that does not hold 64 numbers, is
// refused: the image is left as it was and the result names the key.
ConfigFileRead ReadIoConfigFile(const std::string& path, IoConfigImage& image);

// Writes the records in use, after removing the file's keys of the axes past
// them, so that no record of an earlier save is read back as one of these.
// Every other key and section of the file is kept. Returns 0, or the
// system's error code of the first call that failed; the calls after it are
// not made. With no record in use, nothing is written.
uint32_t WriteIoConfigFile(const std::string& path, const IoConfigImage& image);
