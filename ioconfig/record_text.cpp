#include "ioconfig/record_text.h"

#include <cstdint>
#include <locale>
#include <sstream>

std::string EncodeRecordText(const AxisIoRecord& record) {
    static constexpr char Digits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(RecordTextLength);
    for (uint8_t byte : record.bytes) {
        text += Digits[byte >> 4];
        text += Digits[byte & 0x0F];
        text += ' ';
    }
    return text;
}

std::optional<AxisIoRecord> DecodeRecordText(std::string_view text) {
    std::istringstream numbers{std::string(text)};
    // The classic locale: no digit grouping, the same blanks everywhere.
    numbers.imbue(std::locale::classic());
    numbers >> std::hex;
    AxisIoRecord record;
    for (uint8_t& byte : record.bytes) {
        int16_t number = 0;
        if (!(numbers >> number)) return std::nullopt;
        byte = static_cast<uint8_t>(number & 0xFF);
    }
    return record;
}
