#include "ioconfig/record_text.h"

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

void SkipWhiteSpace(std::string_view& text) {
    while (!text.empty() && IsWhiteSpace(text.front())) text.remove_prefix(1);
}

// One byte from the front of the text: one or two hexadecimal digits, then
// white space or the end.
std::optional<uint8_t> TakeByte(std::string_view& text) {
    int value = 0;
    size_t digits = 0;
    // A third digit is enough to refuse the number.
    for (int digit; digits < text.size() && digits <= 2 && (digit = HexDigitValue(text[digits])) >= 0; ++digits)
        value = value * 16 + digit;
    if (digits == 0 || digits > 2) return std::nullopt;
    text.remove_prefix(digits);
    if (!text.empty() && !IsWhiteSpace(text.front())) return std::nullopt;
    return static_cast<uint8_t>(value);
}

}  // namespace

std::optional<AxisIoRecord> DecodeRecordText(std::string_view text) {
    AxisIoRecord record;
    for (uint8_t& byte : record.bytes) {
        SkipWhiteSpace(text);
        const std::optional<uint8_t> taken = TakeByte(text);
        if (!taken) return std::nullopt;
        byte = *taken;
    }
    SkipWhiteSpace(text);
    if (!text.empty()) return std::nullopt;
    return record;
}
