// Configuration files (.tvxio): the axis records as hexadecimal text, one
// key per axis in the section "TVXIOConfig" of an INI file, read and
// written through the profile functions.
#pragma once

#include <string>

#include "ioconfig/io_config_image.h"

struct ConfigFileRead {
    int axisCount = 0;       // records read, from Axis1IOConfig on
    std::string damagedKey;  // the key whose value is damaged, if any
};

// Reads the keys from Axis1IOConfig on, up to the first one missing (at most
// 16), into image's records, and sets its axis count to their number. When a
// value does not hold 64 numbers the image is left as it was and the result
// names the key.
ConfigFileRead ReadIoConfigFile(const std::string& path, IoConfigImage& image);

// Writes the records in use, keeping every other key and section of the
// file. False when the file refused a key; the keys after it are not tried.
bool WriteIoConfigFile(const std::string& path, const IoConfigImage& image);
