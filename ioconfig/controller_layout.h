// Numbers of the controller's side of the interface: where its I/O
// configuration area lies, how its configuration record is laid out and what
// the bits of a channel's flags word mean. Shared with the simulated board.
#pragma once

#include <cstddef>
#include <cstdint>

// The 1280-byte I/O configuration area in the controller's memory.
constexpr uint32_t IoConfigAreaAddress = 0xA0020200;
constexpr uint32_t IoConfigAreaSize = 1280;

// ControllerConfigRecord, filled by KXGetConfigurationEx. The caller sets the
// size field; only the channel count is read back.
constexpr size_t ControllerConfigRecordSize = 128;
constexpr size_t ConfigRecordSizeOffset = 0;
constexpr size_t ConfigRecordChannelCountOffset = 28;

// Channel flags word of KXGetDigitalIOConfig. A channel serves inputs or
// outputs only when the present bit is set as well.
constexpr uint32_t ChannelFlagInput = 0x1;
constexpr uint32_t ChannelFlagOutput = 0x2;
constexpr uint32_t ChannelFlagPresent = 0x100;
