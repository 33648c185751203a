#include "tests/support/axis_records.h"

AxisIoRecord Patterned(int axis, int salt) {
    AxisIoRecord record;
    for (size_t i = 0; i < record.bytes.size(); ++i)
        record.bytes[i] = static_cast<uint8_t>(axis * 16 + i * 3 + salt);
    return record;
}

std::string AxisKey(int axis) { return "Axis" + std::to_string(axis) + "IOConfig"; }

std::string HexText(const AxisIoRecord& record) {
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    for (uint8_t byte : record.bytes) text += {digits[byte >> 4], digits[byte & 15], ' '};
    return text;
}
