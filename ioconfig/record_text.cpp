#include "ioconfig/record_text.h"

#include <algorithm>
#include <cstdint>

#include "ioconfig/white_space.h"

std::string EncodeByteText(const uint8_t* bytes, size_t count) {
    static constexpr char Digits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(3 * count);
    for (size_t i = 0; i < count; ++i) {
        text += Digits[bytes[i] >> 4];
        text += Digits[bytes[i] & 0x0F];
        text += ' ';
    }
    return text;
}

std::string EncodeRecordText(const AxisIoRecord& record) { return EncodeByteText(record.bytes.data(), record.bytes.size()); }

namespace {

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Reads one signed 16-bit hexadecimal number from the front of the text as
// the standard library's formatted input does: blanks skipped, then an
// optional sign, an optional "0x" or "0X" and the digits, up to the first
// character that is no digit. A lone "0" is a number; "0x" without a digit
// after it, or a value outside -32768..32767, is not.
std::optional<int16_t> TakeHexNumber(std::string_view& text) {
    size_t at = 0;
    auto next = [&] { return at < text.size() ? text[at] : '\0'; };
    while (IsWhiteSpace(next())) ++at;
    const bool negative = next() == '-';
    if (negative || next() == '+') ++at;
    bool sawDigit = false;
    if (next() == '0') {
        ++at;
        sawDigit = true;
        if (next() == 'x' || next() == 'X') {
            ++at;
            sawDigit = false;
        }
    }
    // Capped just past the 16-bit range, so a long run of digits cannot wrap.
    constexpr uint32_t BeyondRange = 0x10000;
    uint32_t magnitude = 0;
    for (int digit; (digit = HexDigitValue(next())) >= 0; ++at) {
        magnitude = std::min<uint32_t>(magnitude * 16 + static_cast<uint32_t>(digit), BeyondRange);
        sawDigit = true;
    }
    text.remove_prefix(at);
    if (!sawDigit || magnitude > (negative ? 0x8000u : 0x7FFFu)) return std::nullopt;
    const int32_t value = negative ? -static_cast<int32_t>(magnitude) : static_cast<int32_t>(magnitude);
    return static_cast<int16_t>(value);
}

}  // namespace

std::optional<AxisIoRecord> DecodeRecordText(std::string_view text) {
    AxisIoRecord record;
    for (uint8_t& byte : record.bytes) {
        const std::optional<int16_t> number = TakeHexNumber(text);
        if (!number) return std::nullopt;
        byte = static_cast<uint8_t>(*number & 0xFF);
    }
    return record;
}
