// One axis record and its text in a configuration file, shared by the tests
// of the record codec and of the files.
#pragma once

#include <string>

#include "ioconfig/io_config_image.h"

// A servo axis on channels 1, 2, 3, 4 and 10, direction on channel 16.
inline const std::string ExampleText =
    "00 00 01 00 00 00 00 00 00 00 00 00 00 00 00 00 01 02 03 04 0A 00 10 00 "
    "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
    "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 ";

inline AxisIoRecord ExampleRecord() {
    AxisIoRecord record;
    record.bytes[2] = 1;
    for (size_t slot = 16; slot <= 19; ++slot) record.bytes[slot] = static_cast<uint8_t>(slot - 15);
    record.bytes[20] = 10;
    record.bytes[22] = 16;
    return record;
}
