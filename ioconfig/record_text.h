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

// Reads exactly 64 numbers of one or two hexadecimal digits, either case,
// separated by white space, with nothing after the 64th but white space.
// Empty for anything else, "105", "-1", "0x05" and a 65th number included: a
// damaged value must never become channel numbers that nobody chose.
std::optional<AxisIoRecord> DecodeRecordText(std::string_view text);
