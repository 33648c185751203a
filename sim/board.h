// The simulated board: what KXOpen reports and the I/O configuration area it
// holds, built from the default board plus the text file named by KXSIM_BOARD.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <istream>
#include <optional>
#include <string_view>
#include <vector>

#include "controller/controller_layout.h"

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

struct Board {
    int16_t openResult = 1;
    int32_t channelCount = 48;
    // Kept sparse, as the channel count may be huge; later entries win.
    std::vector<ChannelFlagsOverride> channelFlagsOverrides;
    IoConfigArea area{};
    std::optional<int16_t> selectResult;
    bool registryOverlay = true;
};

Board makeDefaultBoard();

// Applies one line of a board description; malformed lines change nothing.
void applyBoardDescriptionLine(Board& board, std::string_view line);

// The default board with every line of `text` applied in order.
Board parseBoardDescription(std::istream& text);

// The board described by the file KXSIM_BOARD names, read afresh on every
// call; the default board when the variable or the file is missing.
Board loadBoardDescription();

uint32_t channelFlags(const Board& board, uint32_t channel);
uint16_t axisCountOf(const IoConfigArea& area);
size_t axisRecordOffset(int axis);
