// The simulated board: what KXOpen reports and the I/O configuration area it
// holds. Starts as the default board; a description file changes it (see
// board_description.h).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "ioconfig/controller_layout.h"

using IoConfigArea = std::array<uint8_t, IoConfigAreaSize>;

// Layout of the area as far as the simulation fills it.
constexpr size_t AxisCountOffset = 4;
constexpr size_t AxisRecordsOffset = 256;
constexpr size_t AxisRecordSize = 64;
constexpr int AxisRecordCount = 16;

// Channels firstChannel..lastChannel report `flags`.
struct ChannelFlagsOverride {
    uint32_t firstChannel;
    uint32_t lastChannel;
    uint32_t flags;
};

// KXGetDigitalIOConfig answers `result` for channels firstChannel..lastChannel.
struct ChannelQueryResult {
    uint32_t firstChannel;
    uint32_t lastChannel;
    int16_t result;
};

struct Board {
    int16_t openResult = 1;
    // Set, the call answers this instead of doing its work.
    std::optional<int16_t> configurationResult;
    std::optional<int16_t> readAreaResult;
    std::vector<ChannelQueryResult> channelQueryResults;
    int32_t channelCount = 48;
    // Kept sparse, as the channel count may be huge; later entries win.
    std::vector<ChannelFlagsOverride> channelFlagsOverrides;
    IoConfigArea area{};
    std::optional<int16_t> selectResult;
    bool registryOverlay = true;
    // The first this many opens the call log records fail with -1, as a
    // controller does while it restarts.
    int failedOpens = 0;
};

// 8 axes (1 to 4 servo, 5 to 8 stepper) and 48 channels: 1 to 24 inputs,
// 25 to 40 outputs, 41 to 48 both.
Board MakeDefaultBoard();

uint32_t ChannelFlags(const Board& board, uint32_t channel);
bool ChannelExists(const Board& board, uint32_t channel);
// What a query of the channel answers instead of its flags, if anything.
std::optional<int16_t> ChannelQueryResultOf(const Board& board, uint32_t channel);

uint16_t AxisCountOf(const IoConfigArea& area);
void SetAxisCount(IoConfigArea& area, uint16_t axisCount);
size_t AxisRecordOffset(int axis);
