// Which channels the editor's boxes offer. A slot holds one byte, so only
// channels 1 to 255 are ever offered.
#pragma once

#include <cstdint>

#include "ioconfig/io_config_image.h"

constexpr int HighestOfferedChannel = 255;

bool IsInputChannel(uint32_t flags);
bool IsOutputChannel(uint32_t flags);
bool OffersChannel(SignalDirection direction, uint32_t flags);

// How many channels, from 1, the editor asks about and lists: none for a
// negative count, never more than HighestOfferedChannel.
int ChannelsToOffer(int32_t channelCount);
