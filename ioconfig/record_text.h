// An axis record as the text of a configuration file: each of its 64 bytes,
// byte 0 first, as two upper-case hexadecimal digits followed by a space.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "ioconfig/io_config_image.h"

constexpr size_t RecordTextLength = 3 * AxisIoRecordSize;

std::string EncodeRecordText(const AxisIoRecord& record);
// Any number of bytes in the same form, for a stored value that may not be
// a whole record.
std::string EncodeByteText(const uint8_t* bytes, size_t count);

// Reads the text as a stream of 64 signed 16-bit hexadecimal numbers, the
// way formatted input reads them (blanks skipped, a sign and "0x" allowed),
// keeping the low 8 bits of each; numbers after the 64th are ignored.
// Empty when 64 numbers cannot be read: a damaged value must never become
// channel numbers that nobody chose.
std::optional<AxisIoRecord> DecodeRecordText(std::string_view text);
