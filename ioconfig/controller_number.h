// A controller number as tvxio takes it, in -b N, --board=N, board:N and
// stored:N: decimal digits, after a minus sign or not, that name a
// controller Quillet can open. The driver names controllers by a signed
// 16-bit number, so -1 and 65535 are the same controller.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

constexpr int32_t LowestControllerNumber = -32768;
constexpr int32_t HighestControllerNumber = 65535;

// Nothing for anything else: no sign but one leading minus, no blanks, no
// other characters, nothing outside -32768 to 65535.
std::optional<uint16_t> ParseControllerNumber(std::string_view text);
