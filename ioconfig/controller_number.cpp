#include "ioconfig/controller_number.h"

#include <algorithm>
#include <cstdlib>

#include "ioconfig/store_names.h"

std::string ControllerNumber::Text() const { return std::to_string(SettingsValue()); }

std::string ControllerNumber::DriverKeyPath() const { return DriverKeyPrefix + Text(); }

std::string ControllerNumber::DriverDeviceName() const { return DriverDevicePrefix + Text(); }

int32_t ControllerNumber::SettingsValue() const { return static_cast<int16_t>(value); }

ControllerNumber LenientControllerNumber(int32_t settingsValue) {
    return ControllerNumber(static_cast<uint16_t>(settingsValue & 0xFFFF));
}

ControllerNumber LenientControllerNumber(const char* text) {
    if (text == nullptr) return ControllerNumber(0);
    // strtol's clamping to the 32-bit range, whatever the width of long.
    const long long number = std::strtoll(text, nullptr, 10);
    return LenientControllerNumber(static_cast<int32_t>(std::clamp<long long>(number, INT32_MIN, INT32_MAX)));
}

std::optional<ControllerNumber> ParseControllerNumber(std::string_view text) {
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
    return LenientControllerNumber(number);
}
