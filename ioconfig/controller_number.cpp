#include "ioconfig/controller_number.h"

std::optional<uint16_t> ParseControllerNumber(std::string_view text) {
    const bool negative = !text.empty() && text.front() == '-';
    if (negative) text.remove_prefix(1);
    if (text.empty()) return std::nullopt;
    int32_t magnitude = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        magnitude = magnitude * 10 + (c - '0');
        // Stops before the sum can overflow, however many digits follow.
        if (magnitude > HighestControllerNumber) return std::nullopt;
    }
    const int32_t number = negative ? -magnitude : magnitude;
    if (number < LowestControllerNumber) return std::nullopt;
    return static_cast<uint16_t>(number);
}
