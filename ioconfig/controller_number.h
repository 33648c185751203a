// A controller's number, and the two ways Quillet takes one from text. The
// driver names a controller by the low 16 bits of its number, signed: 65535
// and -1 are the same controller, so the number is kept as those 16 bits.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

constexpr int32_t LowestControllerNumber = -32768;
constexpr int32_t HighestControllerNumber = 65535;

struct ControllerNumber {
    uint16_t value = 0;

    // Every 16-bit value names a controller, so none is refused.
    constexpr ControllerNumber(uint16_t number = 0) : value(number) {}

    // Signed, as the driver names it: "-1" for 65535.
    std::string Text() const;
    // The driver's key below HKEY_LOCAL_MACHINE, and its device.
    std::string DriverKeyPath() const;
    std::string DriverDeviceName() const;
    // The signed value: ControllerID in the settings file, so that a number
    // chosen once reads back the same, and the number tvxio's JSON shows.
    int32_t SettingsValue() const;

    bool operator==(const ControllerNumber&) const = default;
};

// The window's rule, which never refuses: the low 16 bits of the settings'
// ControllerID, or of the command line's -b N or --board=N read as strtol
// reads it (clamped to 32 bits, no digits being 0); no text is 0.
ControllerNumber LenientControllerNumber(int32_t settingsValue);
ControllerNumber LenientControllerNumber(const char* text);

// tvxio's rule, in -b N, --board=N, board:N and stored:N, and the journal's:
// decimal digits, after one minus sign or not, from -32768 to 65535.
// Nothing for anything else: no plus sign, no blanks, no other characters.
std::optional<ControllerNumber> ParseControllerNumber(std::string_view text);
